#include "oldvaluespanel.h"

#include "format.h"
#include "twips.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>
#include <array>
#include <tuple>

namespace chronodex {
namespace {

const QString hintEntry = QStringLiteral("Drag files here to show and set the date");
const QString noSelectionText = QStringLiteral(" - Drag files here to show and set the date - ");
const QString notAvailable = QStringLiteral(" N/A ");

// A field keeps its background when it is disabled; only its text is greyed.
void useFieldColours(QWidget* w) {
    w->setAutoFillBackground(true);
    w->setBackgroundRole(QPalette::Base);
    w->setForegroundRole(QPalette::Text);
    QPalette p = w->palette();
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Base));
    w->setPalette(p);
}

// A caption wider than its cell, in a face wider than the layout's, is narrowed until it fits
// (to three quarters at most) rather than run into the value beside it.
void fitToCell(QLabel* l) {
    QFont f = l->font();
    f.setStretch(QFont::Unstretched);
    const int room = l->width();
    int need = QFontMetrics(f).horizontalAdvance(l->text());
    for (int stretch = 100 * room / std::max(need, 1); need > room && stretch >= 75; --stretch) {
        f.setStretch(stretch); // a face's narrower width, or the face drawn narrower
        need = QFontMetrics(f).horizontalAdvance(l->text());
    }
    l->setFont(f);
}

// Files, system files and directories, each as "##,##0" and a space; enabled.
void showCounts(const std::array<QLabel*, 3>& labels, const KindCounts& counts) {
    const std::array<int, 3> values{counts.files, counts.systemFiles, counts.directories};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setText(formatCount(values[i]));
        labels[i]->setEnabled(true);
    }
}

void showText(QPlainTextEdit* box, const QString& text, bool enabled) {
    box->setPlainText(text);
    box->moveCursor(QTextCursor::End); // the end of a long path stays in view
    box->setEnabled(enabled);
}

} // namespace

OldValuesPanel::OldValuesPanel(QWidget* parent, FilePathTable* entries)
    : QGroupBox(QStringLiteral("Original date values:"), parent) {
    setObjectName(QStringLiteral("fra_OldValues"));
    setGeometry(twipsRect(120, 0, 4815, 5535, this));

    entries->setHint(hintEntry);
    lst_FileList = new QListView(this);
    lst_FileList->setObjectName(QStringLiteral("lst_FileList"));
    lst_FileList->setModel(entries);
    lst_FileList->setGeometry(twipsRect(120, 240, 4575, 1410, this));
    lst_FileList->setUniformItemSizes(true);
    lst_FileList->setSelectionMode(QAbstractItemView::SingleSelection);

    auto label = [&](const QByteArray& name, const QByteArray& text, int left, int top, int width,
                     int height) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(twipsRect(left, top, width, height, this));
        return l;
    };
    auto field = [&](const QByteArray& name, const QByteArray& text, int left, int top, int width) {
        QLabel* l = label(name, text, left, top, width, 255);
        useFieldColours(l);
        return l;
    };
    auto count = [&](const QByteArray& name, int left, int top) {
        QLabel* l = field(name, "0 ", left, top, 705);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setEnabled(false);
        return l;
    };
    // The totals on the left and the ticked counts on the right: files, system files and
    // directories, a row each.
    const std::array<std::tuple<QByteArray, const char*, QLabel**, QLabel**>, 3> counts{{
        {"Files", "files:", &labTotalFiles, &labTickedFiles},
        {"SysFiles", "system files:", &labTotalSysFiles, &labTickedSysFiles},
        {"Directories", "directories:", &labTotalDirectories, &labTickedDirectories},
    }};
    for (int row = 0; row < 3; ++row) {
        const auto& [key, words, total, ticked] = counts[std::size_t(row)];
        const int top = 1800 + 240 * row;
        field("labTotal" + key + "Title", QByteArray("Total ") + words, 120, top, 1450);
        *total = count("labTotal" + key, 1560, top);
        field("labTicked" + key + "Title", QByteArray("Ticked ") + words, 2400, top, 1455);
        *ticked = count("labTicked" + key, 3840, top);
    }

    // Empty until the window shows what is selected (at first, that nothing is): text laid
    // out now would be laid out again for every font the window sets.
    auto textBox = [&](const char* name, int top) {
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(twipsRect(120, top, 4575, 525, this));
        box->setReadOnly(true);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        box->setEnabled(false);
        return box;
    };
    lab_FilePath = label("lab_FilePath", "File path:", 120, 2680, 765, 195);
    txt_FilePathValue = textBox("txt_FilePathValue", 2920);
    label("lab_FileName", "File name:", 120, 3520, 765, 195);
    txt_FileNameValue = textBox("txt_FileNameValue", 3760);

    auto value = [&](const char* name, int top) {
        QLabel* l = field(name, " -", 1200, top, 3465);
        l->setEnabled(false);
        return l;
    };
    lab_OSize = field("lab_OSize", " File size:", 120, 4360, 1125);
    lab_OSizeValue = value("lab_OSizeValue", 4360);
    QLabel* created = field("lab_OCreated", " Created on:", 120, 4600, 1125);
    lab_OCreatedValue = value("lab_OCreatedValue", 4600);
    QLabel* modified = field("lab_OModfied", " Modfied on:", 120, 4840, 1125);
    lab_OModfiedValue = value("lab_OModfiedValue", 4840);
    QLabel* accessed = field("lab_OAccessed", " Accessed on:", 120, 5080, 1125);
    lab_OAccessedValue = value("lab_OAccessedValue", 5080);
    // The caption labels stand below the value labels they overlap.
    for (QLabel* l : {lab_OSize, created, modified, accessed})
        l->lower();

    connect(lst_FileList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &OldValuesPanel::entryClicked);
    // A tick changed by the user; bulk changes reset the model instead.
    connect(entries, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole)) emit entryClicked();
            });

    // The panel and everything in it take drops; scrolling views take them on their viewport.
    setAcceptDrops(true);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setAcceptDrops(true);
        child->installEventFilter(this);
    }
}

void OldValuesPanel::showHint() {
    // "No entry" is the list's chosen current entry: without this, the list makes its first
    // row current when it first gets the keyboard focus, which would select the hint entry
    // and replace the version in the title.
    lst_FileList->setCurrentIndex(QModelIndex());
}

int OldValuesPanel::current() const {
    const QModelIndex index = lst_FileList->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void OldValuesPanel::setCurrent(int index) {
    if (current() != index) lst_FileList->setCurrentIndex(lst_FileList->model()->index(index, 0));
}

void OldValuesPanel::selectFirst() {
    if (current() == 0) {
        lst_FileList->scrollToTop();
        emit entryClicked();
    } else {
        setCurrent(0);
    }
}

void OldValuesPanel::showTotals(const KindCounts& counts) {
    showCounts({labTotalFiles, labTotalSysFiles, labTotalDirectories}, counts);
}

void OldValuesPanel::showTicked(const KindCounts& counts) {
    showCounts({labTickedFiles, labTickedSysFiles, labTickedDirectories}, counts);
}

void OldValuesPanel::showSelection(const SelectionView& view) {
    lab_FilePath->setText(view.pathHeading);
    showText(txt_FilePathValue, view.pathText, true);
    showText(txt_FileNameValue, view.nameText, view.nameEnabled);
    lab_OSize->setText(view.sizeHeading);
    fitToCell(lab_OSize);
    lab_OSizeValue->setText(view.sizeText);
    lab_OSizeValue->setEnabled(view.sizeEnabled);
    const std::array<QLabel*, 3> labels{lab_OCreatedValue, lab_OModfiedValue, lab_OAccessedValue};
    const std::array<DateTime, 3> values{view.created, view.modified, view.accessed};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const bool shown = view.stampsShown && !IsSameDay(values[i], NoDate());
        labels[i]->setText(shown ? stampText(values[i], view.exact[i]) : notAvailable);
        labels[i]->setEnabled(shown);
    }
}

void OldValuesPanel::showNoSelection() {
    txt_FilePathValue->setPlainText(noSelectionText);
    txt_FileNameValue->setPlainText(noSelectionText);
    for (QLabel* l : {lab_OSizeValue, lab_OCreatedValue, lab_OModfiedValue, lab_OAccessedValue})
        l->setText(notAvailable);
}

bool OldValuesPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::Drop:
        // A control passes its drop on unchanged.
        deliverDrop(static_cast<QDropEvent*>(event), this,
                    [this](const DropArgs& args) { emit filesDropped(args); });
        return true;
    default:
        return QGroupBox::eventFilter(watched, event);
    }
}

void deliverDrop(QDropEvent* event, QObject* context,
                 std::function<void(const DropArgs&)> handler) {
    const QPoint at = event->position().toPoint();
    ReadDrop drop = readDrop(event->mimeData());
    const DropArgs args{std::move(drop.data),
                        drop.effect,
                        static_cast<int>(event->buttons()),
                        modifierBits(event->modifiers()),
                        at.x(),
                        at.y()};
    // Files are taken in by name only: the source is told they were copied (never moved,
    // so no file manager removes anything), and a refused drop is reported as not taken.
    if (args.Effect == 7 && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
    // No dialog runs inside the drag protocol: the intake runs once the event has returned.
    QTimer::singleShot(0, context, [handler = std::move(handler), args] { handler(args); });
}

} // namespace chronodex
