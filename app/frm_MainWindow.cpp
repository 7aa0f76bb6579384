#include "frm_MainWindow.h"

#include "frm_FlashMessage.h"
#include "fspath.h"
#include "icons.h"
#include "readers.h"
#include "selection.h"
#include "twips.h"
#include "update.h"

#include "platform/files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace chronodex {
namespace {

const QString hintEntry = QStringLiteral("Drag files here to show and set the date");
const QString noSelectionText = QStringLiteral(" - Drag files here to show and set the date - ");
const QString notAvailable = QStringLiteral(" N/A ");

// Client area as laid out, and the top of "New date values:", in twips.
constexpr int clientWidthTwips = 5055;
constexpr int newValuesTop = 5640;
constexpr int newValuesHeight = 2535;

// MS Sans Serif where it exists (Windows), else the first metric-compatible face the
// system has; one lookup, so that no later font has to walk through missing families.
QFont dialogFont() {
    QFont font;
    const QStringList families{QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                               QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(8.25);
    font.setBold(false); // explicit, so that controls inside the bold frames stay regular
    return font;
}

void useFieldColours(QWidget* w) {
    w->setAutoFillBackground(true);
    w->setBackgroundRole(QPalette::Base);
    w->setForegroundRole(QPalette::Text);
}

} // namespace

MainWindowOptions defaultMainWindowOptions() {
    MainWindowOptions options;
    options.creationWritable = platform::canSetCreationTime();
    options.programFolder = QCoreApplication::applicationDirPath();
    return options;
}

frm_MainWindow::frm_MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
    setObjectName(QStringLiteral("frm_MainWindow"));
    setWindowTitle(QStringLiteral("Chronodex"));
    setWindowIcon(chronodexIcon());
    // A fixed single border without minimise and maximise buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

frm_MainWindow::~frm_MainWindow() = default;

void frm_MainWindow::buildControls() {
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    client->setFixedSize(twipsToPixelsX(clientWidthTwips, this),
                         twipsToPixelsY(newValuesTop + newValuesHeight + 120, this));
    buildOldValuesFrame();
    buildNewValuesFrame();

    com_TEST = new QPushButton(QStringLiteral("TEST"), client);
    com_TEST->setObjectName(QStringLiteral("com_TEST"));
    com_TEST->setGeometry(twipsRect(3840, 4920, 1335, 615, this));
    com_TEST->setFocusPolicy(Qt::NoFocus);
    com_TEST->setEnabled(false);
    com_TEST->hide();

    buildMenus();
    acceptDropsOnOldValues();

    // Focus order: the list, the two text boxes, then each row's check box and its six
    // boxes, then the three buttons.
    QList<QWidget*> order{lst_FileList, txt_FilePathValue, txt_FileNameValue};
    for (const EditorRow& r : rows_) {
        order.append(r.check);
        for (QComboBox* box : r.fields)
            order.append(box);
    }
    order << com_NowTime << com_ResetTime << com_UptateTimestamp;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frm_MainWindow::buildOldValuesFrame() {
    fra_OldValues = new QGroupBox(QStringLiteral("Original date values:"), client);
    fra_OldValues->setObjectName(QStringLiteral("fra_OldValues"));
    fra_OldValues->setGeometry(twipsRect(120, 0, 4815, 5535, this));
    QWidget* f = fra_OldValues;

    lst_FileList = new QListWidget(f);
    lst_FileList->setObjectName(QStringLiteral("lst_FileList"));
    lst_FileList->setGeometry(twipsRect(120, 240, 4575, 1410, this));
    lst_FileList->setUniformItemSizes(true);
    lst_FileList->setSelectionMode(QAbstractItemView::SingleSelection);

    auto label = [&](QLabel*& member, const char* name, const char* text, int left, int top,
                     int width, int height) {
        member = new QLabel(QString::fromLatin1(text), f);
        member->setObjectName(QLatin1String(name));
        member->setGeometry(twipsRect(left, top, width, height, this));
        return member;
    };
    auto field = [&](QLabel*& member, const char* name, const char* text, int left, int top,
                     int width) {
        useFieldColours(label(member, name, text, left, top, width, 255));
    };
    auto count = [&](QLabel*& member, const char* name, int left, int top) {
        field(member, name, "0 ", left, top, 705);
        member->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        member->setEnabled(false);
    };
    field(labTotalFilesTitle, "labTotalFilesTitle", "Total files:", 120, 1800, 1450);
    count(labTotalFiles, "labTotalFiles", 1560, 1800);
    field(labTickedFilesTitle, "labTickedFilesTitle", "Ticked files:", 2400, 1800, 1455);
    count(labTickedFiles, "labTickedFiles", 3840, 1800);
    field(labTotalSysFilesTitle, "labTotalSysFilesTitle", "Total system files:", 120, 2040, 1450);
    count(labTotalSysFiles, "labTotalSysFiles", 1560, 2040);
    field(labTickedSysFilesTitle, "labTickedSysFilesTitle", "Ticked system files:", 2400, 2040,
          1455);
    count(labTickedSysFiles, "labTickedSysFiles", 3840, 2040);
    field(labTotalDirectoriesTitle, "labTotalDirectoriesTitle", "Total directories:", 120, 2280,
          1450);
    count(labTotalDirectories, "labTotalDirectories", 1560, 2280);
    field(labTickedDirectoriesTitle, "labTickedDirectoriesTitle", "Ticked directories:", 2400, 2280,
          1455);
    count(labTickedDirectories, "labTickedDirectories", 3840, 2280);

    auto textBox = [&](QPlainTextEdit*& member, const char* name, const char* text, int top) {
        member = new QPlainTextEdit(QString::fromLatin1(text), f);
        member->setObjectName(QLatin1String(name));
        member->setGeometry(twipsRect(120, top, 4575, 525, this));
        member->setReadOnly(true);
        member->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        member->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        member->setEnabled(false);
    };
    label(lab_FilePath, "lab_FilePath", "File path:", 120, 2680, 765, 195);
    textBox(txt_FilePathValue, "txt_FilePathValue", "C:\\????\n", 2920);
    label(lab_FileName, "lab_FileName", "File name:", 120, 3520, 765, 195);
    textBox(txt_FileNameValue, "txt_FileNameValue", "????.???\n", 3760);

    auto value = [&](QLabel*& member, const char* name, int top) {
        field(member, name, " -", 1200, top, 3465);
        member->setEnabled(false);
    };
    field(lab_OSize, "lab_OSize", " File size:", 120, 4360, 1125);
    value(lab_OSizeValue, "lab_OSizeValue", 4360);
    field(lab_OCreated, "lab_OCreated", " Created on:", 120, 4600, 1125);
    value(lab_OCreatedValue, "lab_OCreatedValue", 4600);
    field(lab_OModfied, "lab_OModfied", " Modfied on:", 120, 4840, 1125);
    value(lab_OModfiedValue, "lab_OModfiedValue", 4840);
    field(lab_OAccessed, "lab_OAccessed", " Accessed on:", 120, 5080, 1125);
    value(lab_OAccessedValue, "lab_OAccessedValue", 5080);
    // The caption labels stand below the value labels they overlap.
    for (QLabel* l : {lab_OSize, lab_OCreated, lab_OModfied, lab_OAccessed})
        l->lower();

    connect(lst_FileList, &QListWidget::currentRowChanged, this, [this] { lst_FileList_Click(); });
    connect(lst_FileList, &QListWidget::itemChanged, this, [this] { lst_FileList_Click(); });

    // The frame caption is bold; what stands inside it is not.
    QFont bold = font();
    bold.setBold(true);
    fra_OldValues->setFont(bold);
    for (QWidget* child : fra_OldValues->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setFont(font());
}

void frm_MainWindow::buildNewValuesFrame() {
    fra_NewValues = new QGroupBox(QStringLiteral("New date values:"), client);
    fra_NewValues->setObjectName(QStringLiteral("fra_NewValues"));
    fra_NewValues->setGeometry(twipsRect(120, newValuesTop, 4815, newValuesHeight, this));
    QFont bold = font();
    bold.setBold(true);
    fra_NewValues->setFont(bold);

    for (StampKind kind : AllStampKinds) {
        rows_[kind] = buildEditorRow(fra_NewValues, kind);
        EditorRow& r = rows_[kind];
        r.caption->setFont(font());
        r.check->setFont(font());
        for (QComboBox* box : r.fields)
            box->setFont(font());
        connect(r.check, &QCheckBox::stateChanged, this, [this, kind] { chk_Update_Click(kind); });
    }
    if (!options_.creationWritable) {
        rows_[Created].check->setEnabled(false);
        rows_[Created].check->setToolTip(QStringLiteral(
            "This system does not let programs change the date a file was created."));
    }

    auto button = [&](QPushButton*& member, const char* name, const char* text, int left) {
        member = new QPushButton(QString::fromLatin1(text), fra_NewValues);
        member->setObjectName(QLatin1String(name));
        member->setGeometry(twipsRect(left, 2040, 1455, 375, this));
        member->setFont(font());
    };
    button(com_NowTime, "com_NowTime", "Set time to &now", 120);
    button(com_ResetTime, "com_ResetTime", "&Reset time values", 1680);
    button(com_UptateTimestamp, "com_UptateTimestamp", "&Update file date", 3240);
    connect(com_NowTime, &QPushButton::clicked, this, [this] { com_NowTime_Click(); });
    connect(com_ResetTime, &QPushButton::clicked, this, [this] { com_ResetTime_Click(); });
    connect(com_UptateTimestamp, &QPushButton::clicked, this,
            [this] { com_UptateTimestamp_Click(); });
}

void frm_MainWindow::buildMenus() {
    menu_Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    menu_Edit->setObjectName(QStringLiteral("menu_Edit"));
    menu_EditSortList = menu_Edit->addMenu(QStringLiteral("&Sort list"));
    menu_EditSortList->setObjectName(QStringLiteral("menu_EditSortList"));
    const std::array<const char*, 4> orders{"A-Z, a-z", "Aa-Zz", "Full path A-Z, a-z",
                                            "Full path Aa-Zz"};
    for (std::size_t i = 0; i < orders.size(); ++i) {
        QAction* item = menu_EditSortList->addAction(QString::fromLatin1(orders[i]));
        item->setObjectName(QStringLiteral("menu_EditSortUsing"));
        item->setCheckable(true);
        menu_EditSortUsing[i] = item;
        connect(item, &QAction::triggered, this,
                [this, i] { menu_EditSortUsing_Click(static_cast<int>(i)); });
    }
    menu_EditRemoveCopies = menu_Edit->addAction(QStringLiteral("&Remove duplicated files"));
    menu_EditRemoveCopies->setObjectName(QStringLiteral("menu_EditRemoveCopies"));
    connect(menu_Edit, &QMenu::aboutToShow, this, [this] { menu_Edit_Click(); });
    connect(menu_EditRemoveCopies, &QAction::triggered, this,
            [this] { menu_EditRemoveCopies_Click(); });

    menu_Help = menuBar()->addMenu(QStringLiteral("&Help"));
    menu_Help->setObjectName(QStringLiteral("menu_Help"));
    menu_HelpFile = menu_Help->addAction(QStringLiteral("&Help file"));
    menu_HelpFile->setObjectName(QStringLiteral("menu_HelpFile"));
    menu_HelpAbout = menu_Help->addAction(QStringLiteral("&About this application"));
    menu_HelpAbout->setObjectName(QStringLiteral("menu_HelpAbout"));
    connect(menu_Help, &QMenu::aboutToShow, this, [this] { menu_Help_Click(); });
    connect(menu_HelpFile, &QAction::triggered, this, [this] { menu_HelpFile_Click(); });
    connect(menu_HelpAbout, &QAction::triggered, this, [this] { menu_HelpAbout_Click(); });
}

void frm_MainWindow::setClientHeightTwips(int twips) {
    clientHeightTwips_ = twips;
    client->setFixedHeight(twipsToPixelsY(twips, this));
    layout()->activate();
}

void frm_MainWindow::Form_Load() {
    setWindowTitle(windowTitleFor(options_.version));

    {
        const QSignalBlocker quiet(lst_FileList);
        lst_FileList->clear();
        auto* hint = new QListWidgetItem(hintEntry);
        hint->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        lst_FileList->addItem(hint);
        // "No entry" is the list's chosen current entry: without this, the list makes its
        // first row current when it first gets the keyboard focus, which would select the
        // hint entry and replace the version in the title.
        lst_FileList->setCurrentIndex(QModelIndex());
    }

    menu_EditSortList->setEnabled(PathCount() > 0);

    fra_NewValues->hide();
    setClientHeightTwips(newValuesTop);

    txt_FilePathValue->setPlainText(noSelectionText);
    txt_FileNameValue->setPlainText(noSelectionText);
    for (QLabel* l : {lab_OSizeValue, lab_OCreatedValue, lab_OModfiedValue, lab_OAccessedValue})
        l->setText(notAvailable);

    // One reading of the clock gives every default.
    const DateTime present = readClock();
    for (const EditorRow& r : rows_)
        fillRowLists(r, present);

    for (const EditorRow& r : rows_) {
        r.check->setCheckState(Qt::Unchecked);
        r.check->setTristate(false);
    }
}

DateTime frm_MainWindow::readClock() const {
    const QDateTime now = options_.clock();
    return DateTime{now.date().year(), now.date().month(),  now.date().day(),
                    now.time().hour(), now.time().minute(), now.time().second()};
}

void frm_MainWindow::setListIndex(int index) {
    if (lst_FileList->currentRow() == index) return;
    lst_FileList->setCurrentRow(index); // runs lst_FileList_Click through currentRowChanged
}

void frm_MainWindow::lst_FileList_Click() {
    ShowTickedStatus();
    const int slot = lst_FileList->currentRow() + 1;
    if (FilePaths_.hasSlot(slot)) ShowOldValues(FilePaths_.at(slot));
    EnableUpdateButton();
}

void frm_MainWindow::ShowOldValues(const QString& path, bool loadRows) {
    const SelectionView view = readSelection(path);

    auto showText = [](QPlainTextEdit* box, const QString& text, bool enabled) {
        box->setPlainText(text);
        box->moveCursor(QTextCursor::End); // the end of a long path stays in view
        box->setEnabled(enabled);
    };
    lab_FilePath->setText(view.pathHeading);
    showText(txt_FilePathValue, view.pathText, true);
    showText(txt_FileNameValue, view.nameText, view.nameEnabled);
    lab_OSize->setText(view.sizeHeading);
    lab_OSizeValue->setText(view.sizeText);
    lab_OSizeValue->setEnabled(view.sizeEnabled);

    // After an update the rows keep what the user typed, so that it can be written again.
    if (loadRows) {
        fra_NewValues->setVisible(view.stampsRead);
        setClientHeightTwips(view.stampsRead ? newValuesTop + newValuesHeight + 128 : newValuesTop);
    }

    const std::array<std::pair<QLabel*, DateTime>, 3> stamps{{{lab_OCreatedValue, view.created},
                                                              {lab_OModfiedValue, view.modified},
                                                              {lab_OAccessedValue, view.accessed}}};
    for (const auto& [label, value] : stamps) {
        const bool shown = view.stampsShown && !IsSameDay(value, NoDate());
        label->setText(shown ? stampText(value) : notAvailable);
        label->setEnabled(shown);
    }

    for (StampKind kind : AllStampKinds) {
        const EditorRow& r = rows_[kind];
        if (!loadRows) break;
        if (view.stampsRead) {
            r.setValue(stamps[kind].second);
            // The creation stamp cannot be written where the system does not allow it, so
            // its row shows the value but is never ticked there.
            if (kind != Created || options_.creationWritable) r.check->setCheckState(Qt::Checked);
        } else {
            r.setAllTexts(QStringLiteral(" - "));
            r.check->setCheckState(Qt::Unchecked);
        }
    }
}

void frm_MainWindow::com_NowTime_Click() {
    const DateTime present = readClock();
    for (const EditorRow& r : rows_)
        if (r.isTicked()) r.setValue(present);
}

void frm_MainWindow::com_ResetTime_Click() {
    const int slot = lst_FileList->currentRow() + 1;
    if (!FilePaths_.hasSlot(slot)) return;
    const QString path = FilePaths_.at(slot);
    const auto attributes = platform::fileAttributes(toFsPath(path));
    if (!attributes) return; // deleted or moved since it was listed
    std::array<DateTime, 3> stamps{NoDate(0), NoDate(0), NoDate(0)};
    if (*attributes & platform::AttrDirectory) {
        stamps[Created] = GetDirectoryCreated(path);
    } else if (GetFileLength(path) >= 0) {
        GetFileDates(path, stamps[Created], stamps[Modified], stamps[Accessed]);
    }
    for (StampKind kind : AllStampKinds)
        if (rows_[kind].isTicked() && stamps[kind] != NoDate(0)) rows_[kind].setValue(stamps[kind]);
}

void frm_MainWindow::ShowTickedStatus() {
    const int n = lst_FileList->count();
    const bool known = kindsJustRead_.size() == static_cast<std::size_t>(n);
    KindCounts ticked;
    for (int k = 0; k < n; ++k) {
        if (lst_FileList->item(k)->checkState() != Qt::Checked) continue;
        EntryKind kind = EntryKind::File;
        if (known) {
            kind = kindsJustRead_[static_cast<std::size_t>(k)];
        } else {
            if (!FilePaths_.hasSlot(k + 1))
                return; // no path behind the entry: leave labels and caption as they are
            const auto attributes = platform::fileAttributes(toFsPath(FilePaths_.at(k + 1)));
            if (!attributes)
                return; // a ticked entry that vanished ends the refresh before anything changes
            kind = kindOf(*attributes);
        }
        ticked.add(kind);
    }
    labTickedFiles->setText(formatCount(ticked.files));
    labTickedSysFiles->setText(formatCount(ticked.systemFiles));
    labTickedDirectories->setText(formatCount(ticked.directories));
    for (QLabel* l : {labTickedFiles, labTickedSysFiles, labTickedDirectories})
        l->setEnabled(true);
    setWindowTitle(options_.version.productName + QStringLiteral(" - ") +
                   tickedStatusText(ticked.files, ticked.directories));
}

void frm_MainWindow::SetSortChecks(bool Mark) {
    for (QAction* item : menu_EditSortUsing)
        item->setChecked(Mark);
}

void frm_MainWindow::chk_Update_Click(StampKind kind) {
    const EditorRow& r = rows_[kind];
    r.setFieldsEnabled(r.isTicked());
    EnableUpdateButton();
    EnableTimeButtons();
}

bool frm_MainWindow::AnyEntryTicked() const {
    const int n = lst_FileList->count();
    for (int k = 0; k < n; ++k)
        if (lst_FileList->item(k)->checkState() == Qt::Checked) return true;
    return false;
}

void frm_MainWindow::EnableUpdateButton() {
    bool rowTicked = false;
    for (const EditorRow& r : rows_)
        rowTicked = r.isTicked() || rowTicked;
    com_UptateTimestamp->setEnabled(rowTicked && AnyEntryTicked());
}

void frm_MainWindow::EnableTimeButtons() {
    const bool anyRow =
        std::any_of(rows_.begin(), rows_.end(), [](const EditorRow& r) { return r.isTicked(); });
    com_NowTime->setEnabled(anyRow);
    com_ResetTime->setEnabled(anyRow);
}

void frm_MainWindow::showTotals(const KindCounts& counts) {
    labTotalFiles->setText(formatCount(counts.files));
    labTotalSysFiles->setText(formatCount(counts.systemFiles));
    labTotalDirectories->setText(formatCount(counts.directories));
    for (QLabel* l : {labTotalFiles, labTotalSysFiles, labTotalDirectories})
        l->setEnabled(true);
}

std::vector<bool> frm_MainWindow::entryTicks() const {
    std::vector<bool> ticks(static_cast<std::size_t>(lst_FileList->count()));
    for (std::size_t k = 0; k < ticks.size(); ++k)
        ticks[k] = lst_FileList->item(static_cast<int>(k))->checkState() == Qt::Checked;
    return ticks;
}

void frm_MainWindow::fillList(const QStringList& paths, const std::vector<EntryKind>& kinds,
                              const KindCounts& counts, const std::vector<bool>& ticks) {
    {
        // One pass with the list quiet: no click handler per entry.
        const QSignalBlocker quiet(lst_FileList);
        lst_FileList->clear();
        FilePaths_.assign(paths);
        menu_EditSortList->setEnabled(PathCount() > 0);
        const QChar separator = QLatin1Char(platform::pathSeparator);
        for (qsizetype i = 0; i < paths.size(); ++i) {
            auto* item = new QListWidgetItem(displayText(SplitPath(paths[i], true, separator)));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            const auto k = static_cast<std::size_t>(i);
            const bool tick = k < ticks.size() ? ticks[k] : tickedOnIntake(kinds[k]);
            item->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
            lst_FileList->addItem(item);
        }
        lst_FileList->setCurrentRow(-1);
    }
    kindsJustRead_ = kinds;
    showTotals(counts);
}

void frm_MainWindow::RebuildList(const std::vector<bool>& ticks) {
    const QStringList paths = FilePaths_.entries();
    std::vector<EntryKind> kinds;
    kinds.reserve(static_cast<std::size_t>(paths.size()));
    KindCounts counts;
    for (const QString& path : paths) {
        // An entry whose attributes cannot be read ends unticked, as a system file.
        const EntryKind kind = kindOf(platform::fileAttributes(toFsPath(path)).value_or(0));
        kinds.push_back(kind);
        counts.add(kind);
    }
    fillList(paths, kinds, counts, ticks);
    setListIndex(0);
    kindsJustRead_.clear();
    EnableUpdateButton();
}

} // namespace chronodex
