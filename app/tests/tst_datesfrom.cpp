// Dates taken from elsewhere, with real files: a reference file's stamps to the nanosecond
// through the window and its preview, the originals in a folder, the dates in names.
#include "changeplans.h"
#include "frm_DatesSource.h"

#include "windowprobe.h"

#include <QHeaderView>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

TickedEntry ticked(const QString& path) {
    return {fsPath(path), QFileInfo(path).fileName(), path, {}};
}
std::vector<TickedEntry> ticked(const QStringList& paths) {
    std::vector<TickedEntry> out;
    for (const QString& p : paths)
        out.push_back(ticked(p));
    return out;
}

} // namespace

class tst_DatesFrom : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // The preview shows every ticked entry with each stamp from and to; Cancel writes nothing,
    // OK writes exactly what it showed, and Undo puts it back.
    void referenceThroughPreview_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void referenceThroughPreview() {
        QFETCH(bool, ok);
        Desk d;
        const QStringList files = d.make({"reference", "a", "b"});
        QVERIFY(setStamps(files[0], utcSeconds(2010, 1, 2, 3, 4, 5), utcSeconds(2011, 6, 7, 8, 9),
                          123456789));
        QVERIFY(setStamps(files[2], utcSeconds(2010, 1, 2, 3, 4, 5), utcSeconds(2011, 6, 7, 8, 9),
                          123456789));
        const QList<ExactStamps> before = exactStampsOf(files);
        listPaths(d.w, files);
        tick(d.w, 0, false);
        whenOpen<frm_DatesSource>([&](frm_DatesSource* dlg) {
            dlg->txt_Source->setText(files[0]);
            dlg->chk_Kind[Accessed]->setChecked(true);
            dlg->com_OK->click(); // before the checks, so that a failure cannot leave it open
            QCOMPARE(dlg->chk_Kind[Created]->isEnabled(), platform::canSetCreationTime());
            QVERIFY(dlg->chk_Subfolders->isHidden()); // a folder's choice only
        });
        QStringList shown;
        whenOpen<frm_ChangePreview>([&](frm_ChangePreview* p) {
            for (int r = 0; r < p->model()->rowCount(); ++r)
                for (int c : {0, 2, 3, 4}) // the created date: where the system sets it
                    shown << p->model()->index(r, c).data().toString();
            shown << p->lab_Summary->text();
            (ok ? p->com_OK : p->com_Cancel)->click();
        });
        auto report = onNextFlashMessage(clickButton(0));
        child<QAction>(d.w, "menu_EditDatesFromReference")->trigger();
        const QString a = "3/02/2001, 4:05:06am → ", b = "7/06/2011, 8:09:00am → ";
        QCOMPARE(shown, QStringList({"a", a + "7/06/2011, 8:09:00am", a + "2/01/2010, 3:04:05am",
                                     "", "b", b + "7/06/2011, 8:09:00am",
                                     "2/01/2010, 3:04:05am → 2/01/2010, 3:04:05am", "",
                                     "2 entries will be written, 0 left as they are. Nothing is "
                                     "written before OK."}));
        QCOMPARE(exactStampsOf(files)[1], ok ? before[0] : before[1]); // to the nanosecond
        QVERIFY(!report->shown);                                       // every entry written
        child<QAction>(d.w, "menu_EditUndo")->trigger();
        QCOMPARE(exactStampsOf(files), before);
    }

    // By the same name, else by the one file with the same base name; subfolders only when
    // asked; none and several are reasons. The stamps come over exactly.
    void originals() {
        QTemporaryDir listed, folder;
        const QStringList files{makeFile(listed, "same.jpg"), makeFile(listed, "b.jpg"),
                                makeFile(listed, "deep.mp4"), makeFile(listed, "none.txt"),
                                makeFile(listed, "twice.jpg")};
        QVERIFY(QDir(folder.path()).mkdir("sub"));
        const QStringList originals{
            makeFile(folder, "same.jpg"),  makeFile(folder, "same.png"),
            makeFile(folder, "b.heic"),    makeFile(folder, "sub/deep.mov"),
            makeFile(folder, "twice.png"), makeFile(folder, "sub/twice.tif")};
        for (int i = 0; i < originals.size(); ++i)
            QVERIFY(setStamps(originals[i], utcSeconds(2015, 1, 1, i), utcSeconds(2014, 1, 1, i),
                              1000 + i));
        for (bool subfolders : {false, true}) {
            const OriginalsIndex index(fsPath(folder.path()), subfolders);
            QCOMPARE(index.size(), subfolders ? 6u : 4u);
            const std::vector<EntryChange> changes =
                originalChanges(ticked(files), index, {false, true, true});
            QStringList reasons;
            for (const EntryChange& c : changes)
                reasons << c.skip;
            const QString none = QStringLiteral("no original in the folder");
            QCOMPARE(reasons.mid(0, 4), QStringList({"", "", subfolders ? "" : none, none}));
            QVERIFY2(subfolders
                         ? reasons[4].startsWith("several originals in the folder (") &&
                               reasons[4].contains(QDir::toNativeSeparators("sub/twice.tif")) &&
                               reasons[4].contains("twice.png")
                         : reasons[4].isEmpty(),
                     qPrintable(reasons[4]));
            if (!subfolders) continue;
            UndoStore undo;
            applyChanges(ticked(files), changes, undo, [](const QString&) { return true; });
            const QList<ExactStamps> after = exactStampsOf(files);
            QCOMPARE(after.mid(0, 3), exactStampsOf({originals[0], originals[2], originals[3]}));
        }
    }

    // Every pattern with the name it was made for, and names whose digits are no date.
    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("date"); // yyyy-MM-dd HH:mm:ss.zzz; empty: none
        const QString d = QStringLiteral("2019-05-04 10:11:12.000");
        for (const QString& example : nameExamples())
            QTest::newRow(qPrintable(example))
                << example
                << (example.startsWith("PXL")     ? "2019-05-04 10:11:12.345"
                    : example.contains("-WA0001") ? "2019-05-04 12:00:00.000"
                                                  : d);
        QTest::newRow("lower case") << "img_20190504_101112.jpg" << d;
        QTest::newRow("burst") << "IMG_20190504_101112_1.jpg" << d;
        for (const char* miss :
             {"IMG_20191304_101112.jpg", "IMG_20190504_256112.jpg", "IMG_20190230_101112.jpg",
              "IMG_20190504_101160.jpg", "IMG_201905041_101112.jpg", "IMG_20190504_1011123.jpg",
              "2019-05-04 10.11.jpg", "holiday.jpg", "00990504_101112.jpg"})
            QTest::newRow(miss) << miss << "";
    }
    void names() {
        QFETCH(QString, name);
        QFETCH(QString, date);
        QTemporaryDir dir;
        const QString path = makeFile(dir, name);
        QVERIFY(setStamps(path, utcSeconds(2001, 1, 1), utcSeconds(2001, 1, 1)));
        const std::vector<EntryChange> changes = nameChanges({ticked(path)});
        QCOMPARE(changes[0].skip, date.isEmpty() ? "no date in its name" : "");
        UndoStore undo;
        applyChanges({ticked(path)}, changes, undo, [](const QString&) { return true; });
        const QDateTime expected = QDateTime::fromString(date, "yyyy-MM-dd HH:mm:ss.zzz");
        const ExactStamps after = exactStampsOf({path})[0];
        QCOMPARE(after.modified, date.isEmpty() ? utcSeconds(2001, 1, 1)
                                                : expected.toSecsSinceEpoch()); // TZ is UTC
        QCOMPARE(after.modifiedNs, date.isEmpty() ? 0 : expected.time().msec() * 1000000);
        QCOMPARE(after.accessed, utcSeconds(2001, 1, 1));
    }

    // The preview sorts by any column and back to the list's order; equal rows keep it.
    void previewSorts() {
        std::vector<EntryChange> changes(4);
        const std::array<int, 4> days{3, 1, 2, 1};
        for (std::size_t i = 0; i < changes.size(); ++i) {
            changes[i].written = {false, true, false};
            changes[i].newLocal[Modified] = DateTime{2020, 1, days[i], 0, 0, 0};
        }
        changes[2].skip = QStringLiteral("why");
        ChangePreviewModel model(ticked({"/c", "/a", "/d", "/b"}), changes);
        const auto names = [&model] {
            QString out;
            for (int r = 0; r < model.rowCount(); ++r)
                out += model.index(r, 0).data().toString();
            return out;
        };
        QCOMPARE(names(), "cadb");
        model.sort(ChangePreviewModel::Name, Qt::DescendingOrder);
        QCOMPARE(names(), "dcba");
        model.sort(ChangePreviewModel::ModifiedColumn);
        QCOMPARE(names(), "abcd");
        model.sort(ChangePreviewModel::Reason, Qt::DescendingOrder);
        QCOMPARE(names().front(), 'd');
        model.sort(-1);
        QCOMPARE(names(), "cadb");
        QCOMPARE(model.changing(), 3);
        // With the keyboard: "Sort by" lists the columns shown, the created date not among them.
        frm_ChangePreview preview(QStringLiteral("Preview"), ticked({"/c", "/a", "/d", "/b"}),
                                  changes);
        QCOMPARE(preview.cbo_SortBy->count(), 4);
        QHeaderView* header = preview.tbl_Changes->horizontalHeader(); // a click on a heading
        for (int click = 0; click < 2; ++click)                        // ascending, then descending
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              {header->sectionViewportPosition(0) + 4, 4});
        QCOMPARE(preview.model()->index(0, 0).data().toString(), QStringLiteral("d"));
        preview.cbo_SortBy->setFocus();
        QTest::keyClick(preview.cbo_SortBy, Qt::Key_Down);
        QCOMPARE(preview.model()->index(0, 0).data().toString(), QStringLiteral("a"));
        QVERIFY(preview.tbl_Changes->isColumnHidden(ChangePreviewModel::CreatedColumn));
    }
};

QTEST_MAIN(tst_DatesFrom)
#include "tst_datesfrom.moc"
