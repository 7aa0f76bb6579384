#include "frm_MainWindow.h"

#include "fonts.h"
#include "frm_List.h"
#include "fspath.h"
#include "icons.h"
#include "newvaluespanel.h"
#include "oldvaluespanel.h"
#include "readers.h"
#include "twips.h"

#include "platform/files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace chronodex {
namespace {

// Client area as laid out, and the top of "New date values:", in twips.
constexpr int clientWidthTwips = 5055;
constexpr int newValuesTop = 5640;
constexpr int newValuesHeight = 2535;

} // namespace

MainWindowOptions defaultMainWindowOptions() {
    MainWindowOptions options;
    options.creationWritable = platform::canSetCreationTime();
    options.programFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return options;
}

frm_MainWindow::frm_MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
    setObjectName(QStringLiteral("frm_MainWindow"));
    setWindowTitle(QStringLiteral("Chronodex"));
    setWindowIcon(chronodexIcon());
    // A fixed single border without minimise and maximise buttons: on Windows a dialog frame
    // instead of a sizing border, which a window manager under Wine also reads as a window of
    // fixed size; elsewhere the window's fixed size says so.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(dialogFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    client->setFixedSize(twipsToPixelsX(clientWidthTwips, this),
                         twipsToPixelsY(newValuesTop + newValuesHeight + 120, this));
    fra_OldValues = new OldValuesPanel(client, &FilePaths_);
    boldCaption(fra_OldValues, font());
    com_TEST = new QPushButton(QStringLiteral("TEST"), client);
    com_TEST->setObjectName(QStringLiteral("com_TEST"));
    com_TEST->setGeometry(twipsRect(3840, 4920, 1335, 615, this));
    com_TEST->setFocusPolicy(Qt::NoFocus);
    com_TEST->setEnabled(false);
    com_TEST->hide();
    buildMenus();
    setAcceptDrops(true);

    connect(fra_OldValues, &OldValuesPanel::entryClicked, this, [this] { lst_FileList_Click(); });
    connect(fra_OldValues, &OldValuesPanel::filesDropped, this, [this](const DropArgs& a) {
        Form_OLEDragDrop(a.Data, a.Effect, a.Button, a.Shift, a.X, a.Y);
    });
    // Focus order: the list and the two text boxes, then (once built) "New date values:".
    setTabOrder(fileList(), findChild<QWidget*>(QStringLiteral("txt_FilePathValue")));
    setTabOrder(findChild<QWidget*>(QStringLiteral("txt_FilePathValue")),
                findChild<QWidget*>(QStringLiteral("txt_FileNameValue")));

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

NewValuesPanel& frm_MainWindow::newValues() const {
    if (fra_NewValues) return *fra_NewValues;
    auto* self = const_cast<frm_MainWindow*>(this); // building it changes nothing shown
    auto* panel = new NewValuesPanel(centralWidget(), options_.creationWritable);
    fra_NewValues = panel;
    panel->setGeometry(twipsRect(120, newValuesTop, 4815, newValuesHeight, this));
    boldCaption(panel, font());
    panel->hide();
    connect(panel, &NewValuesPanel::rowClicked, self,
            [self](StampKind kind) { self->chk_Update_Click(kind); });
    connect(panel, &NewValuesPanel::nowClicked, self, [self] { self->com_NowTime_Click(); });
    connect(panel, &NewValuesPanel::resetClicked, self, [self] { self->com_ResetTime_Click(); });
    connect(panel, &NewValuesPanel::updateClicked, self,
            [self] { self->com_UptateTimestamp_Click(); });
    // Unticking the rows runs their click handlers, which disable the boxes and buttons.
    panel->fillLists(startClock_);

    // Focus order after the file name box: each row's check box and its six boxes, then
    // the three buttons.
    QList<QWidget*> order{findChild<QWidget*>(QStringLiteral("txt_FileNameValue"))};
    for (StampKind kind : AllStampKinds) {
        order.append(panel->row(kind).check);
        for (QWidget* box : panel->row(kind).fields)
            order.append(box);
    }
    for (const char* name : {"com_NowTime", "com_ResetTime", "com_UptateTimestamp"})
        order.append(panel->findChild<QWidget*>(QLatin1String(name)));
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    return *panel;
}

frm_MainWindow::~frm_MainWindow() {
    // The path table goes before the list that shows it: no click may reach it then.
    QObject::disconnect(fra_OldValues, nullptr, this, nullptr);
    delete listWindow_.data(); // and the list window that shows it
}

const EditorRow& frm_MainWindow::row(StampKind kind) const {
    return newValues().row(kind);
}

QListView* frm_MainWindow::fileList() const {
    return fra_OldValues->list();
}

void frm_MainWindow::setClientHeightTwips(int twips) {
    clientHeightTwips_ = twips;
    centralWidget()->setFixedHeight(twipsToPixelsY(twips, this));
    layout()->activate();
}

void frm_MainWindow::Form_Load() {
    setWindowTitle(windowTitleFor(options_.version));
    fra_OldValues->showHint();
    menu_EditSortList->setEnabled(PathCount() > 0);
    setClientHeightTwips(newValuesTop); // "New date values:" hidden
    fra_OldValues->showNoSelection();
    startClock_ = readClock(); // one reading of the clock gives every default
}

DateTime frm_MainWindow::readClock() const {
    const QDateTime now = options_.clock();
    return DateTime{now.date().year(), now.date().month(),  now.date().day(),
                    now.time().hour(), now.time().minute(), now.time().second()};
}

void frm_MainWindow::lst_FileList_Click() {
    ShowTickedStatus();
    const int slot = fra_OldValues->current() + 1;
    if (FilePaths_.hasSlot(slot)) ShowOldValues(FilePaths_.at(slot));
    EnableUpdateButton();
}

void frm_MainWindow::ShowOldValues(const QString& path, bool loadRows) {
    const SelectionView view = readSelection(path);
    fra_OldValues->showSelection(view);
    if (!loadRows) return; // after an update the rows keep what the user typed
    // A file that cannot be written says why where its rows would be.
    const bool shown = view.stampsRead || !view.notWritable.isEmpty();
    newValues().setVisible(shown);
    newValues().showReason(view.notWritable);
    setClientHeightTwips(shown ? newValuesTop + newValuesHeight + 128 : newValuesTop);
    newValues().setCreationSettable(view.creationSettable);
    if (view.stampsRead)
        newValues().load({view.created, view.modified, view.accessed}, view.exact);
    else
        newValues().clear();
}

void frm_MainWindow::com_NowTime_Click() {
    const DateTime present = readClock();
    newValues().fillTickedRows({present, present, present});
}

void frm_MainWindow::com_ResetTime_Click() {
    const int slot = fra_OldValues->current() + 1;
    if (!FilePaths_.hasSlot(slot)) return;
    const QString path = FilePaths_.at(slot);
    const auto attributes = platform::fileAttributes(toNativePath(path));
    if (!attributes) return; // deleted or moved since it was listed
    std::array<DateTime, 3> stamps{NoDate(0), NoDate(0), NoDate(0)};
    NewValuesPanel::ExactStamps exact;
    if (*attributes & platform::AttrDirectory)
        stamps[Created] = GetDirectoryCreated(path);
    else if (GetFileLength(path) >= 0)
        GetFileDates(path, stamps[Created], stamps[Modified], stamps[Accessed], &exact);
    newValues().fillTickedRows(stamps, exact);
}

void frm_MainWindow::ShowTickedStatus() {
    const KindCounts& ticked = FilePaths_.tickedCounts();
    fra_OldValues->showTicked(ticked);
    setWindowTitle(options_.version.productName + QStringLiteral(" - ") +
                   tickedStatusText(ticked.files, ticked.directories));
}

void frm_MainWindow::SetSortChecks(bool Mark) {
    for (QAction* item : menu_EditSortUsing)
        item->setChecked(Mark);
}

void frm_MainWindow::chk_Update_Click(StampKind kind) {
    const EditorRow& r = row(kind);
    r.setFieldsEnabled(r.isTicked());
    EnableUpdateButton();
    EnableTimeButtons();
}

bool frm_MainWindow::AnyEntryTicked() const {
    return FilePaths_.anyTicked();
}

void frm_MainWindow::EnableUpdateButton() {
    newValues().enableUpdate(AnyEntryTicked());
}

void frm_MainWindow::EnableTimeButtons() {
    newValues().enableTimeButtons();
}

} // namespace chronodex
