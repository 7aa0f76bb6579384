#include "frm_FlashMessage.h"

#include "appinfo.h"
#include "fonts.h"
#include "icons.h"
#include "playwav.h"
#include "textfunctions.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <limits>

namespace chronodex {
namespace {

constexpr int buttonWidth = 855;
constexpr int buttonHeight = 375;
constexpr int leftMargin = 720;

QColor fromBgr(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// Rounds to the nearest whole twip, halves to even, into the 16-bit range.
int roundTwips(double value) {
    const double r = std::nearbyint(value); // the default rounding mode rounds halves to even
    return static_cast<int>(std::clamp(r, double(std::numeric_limits<std::int16_t>::min()),
                                       double(std::numeric_limits<std::int16_t>::max())));
}

QPixmap pictureFor(int iconNumber, QWidget* owner, int size) {
    if (iconNumber == 0) {
        const QIcon icon = owner ? owner->windowIcon() : chronodexIcon();
        return (icon.isNull() ? chronodexIcon() : icon).pixmap(size, size);
    }
    switch (iconNumber) {
    case 2:
        return messagePicture(MessagePicture::Information, size);
    case 3:
        return messagePicture(MessagePicture::Stop, size);
    case 4:
        return messagePicture(MessagePicture::Gear, size);
    case 5:
        return messagePicture(MessagePicture::Question, size);
    default: // 1, the copies 6 to 10, and 11 to 15, which have no picture of their own
        return messagePicture(MessagePicture::Warning, size);
    }
}

} // namespace

double lineWidthTwips(double textWidth, int tabs, int fontSize) {
    // The allowance is formed in 16 bits, as the layout has always done.
    const auto allowance = static_cast<std::int16_t>(tabs * fontSize * 64);
    return leftMargin + textWidth + allowance;
}

frm_FlashMessage::frm_FlashMessage(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frm_FlashMessage"));
    setWindowTitle(QStringLiteral("Warning message:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(twipsToPixelsX(clientWidth_, this), twipsToPixelsY(clientHeight_, this));

    const std::array<const char*, 4> captions{"&OK", "&2", "&3", "&4"};
    for (std::size_t i = 0; i < com_OK.size(); ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setObjectName(QStringLiteral("com_OK(%1)").arg(i));
        b->setGeometry(twipsRect(buttonLeft_[i], buttonTop_, buttonWidth, buttonHeight, this));
        b->setVisible(i == 0);
        b->setAutoDefault(true);
        connect(b, &QPushButton::clicked, this, [this, i] {
            ButtonPressed_ = static_cast<int>(i);
            accept();
        });
        com_OK[i] = b;
    }
    // Keyboard order left to right on screen: 3, 2, 1, 0.
    setTabOrder(com_OK[3], com_OK[2]);
    setTabOrder(com_OK[2], com_OK[1]);
    setTabOrder(com_OK[1], com_OK[0]);

    img_IcornImage = new QLabel(this);
    img_IcornImage->setObjectName(QStringLiteral("img_IcornImage"));
    img_IcornImage->setGeometry(twipsRect(120, 120, 495, 495, this));
    img_IcornImage->setScaledContents(true);

    tim_CloseTimer = new QTimer(this);
    tim_CloseTimer->setObjectName(QStringLiteral("tim_CloseTimer"));
    tim_CloseTimer->setSingleShot(true);
    connect(tim_CloseTimer, &QTimer::timeout, this, [this] { done(QDialog::Rejected); });
}

void frm_FlashMessage::prepare(const FlashArgs& args) {
    ButtonPressed_ = -1;
    message_ = args.TheMessage;

    QString labels = args.ButtonText;
    if (labels.trimmed().isEmpty()) labels = QStringLiteral("&OK");
    for (QPushButton* b : com_OK) {
        const qsizetype bar = labels.indexOf(QLatin1Char('|'));
        const QString label = bar < 0 ? labels : labels.left(bar);
        labels = bar < 0 ? QString() : labels.mid(bar + 1);
        b->setText(label);
        b->setVisible(!label.isEmpty());
    }

    setWindowTitle(
        swapString(args.TheTitle, QStringLiteral("#AppName#"), currentVersion().productName, true));
    drawMessage(args);

    const int iconPixels = twipsToPixelsX(495, this);
    setWindowIcon(QIcon());
    img_IcornImage->clear();
    if (args.IconNumber >= 0 && args.IconNumber <= 15) {
        const QPixmap picture = pictureFor(args.IconNumber, parentWidget(), iconPixels);
        setWindowIcon(QIcon(picture));
        img_IcornImage->setPixmap(picture);
    }

    buttonTop_ = B_ + 64;
    for (std::size_t i = 0; i < com_OK.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        buttonLeft_[i] = W_ - (buttonWidth * n + 64 * n);
        com_OK[i]->setGeometry(
            twipsRect(buttonLeft_[i], buttonTop_, buttonWidth, buttonHeight, this));
    }
    clientWidth_ = buttonLeft_[0] + buttonWidth + 128;
    clientHeight_ = buttonTop_ + buttonHeight + 128;
    setFixedSize(twipsToPixelsX(clientWidth_, this), twipsToPixelsY(clientHeight_, this));

    // A positive time closes the dialog; an interval of 0 never fires.
    tim_CloseTimer->setInterval(std::max(args.Timer, 0));
    autoClose_ = args.Timer > 0;

    // The first visible button from the left takes the focus.
    for (int i = 3; i >= 0; --i) {
        if (!com_OK[static_cast<std::size_t>(i)]->isHidden()) {
            com_OK[static_cast<std::size_t>(i)]->setFocus();
            com_OK[static_cast<std::size_t>(i)]->setDefault(true);
            break;
        }
    }
}

void frm_FlashMessage::drawMessage(const FlashArgs& args) {
    // A surface as large as the screen, so that no line is clipped while it is drawn; it
    // keeps what was drawn for every later paint.
    const QSize screenSize =
        (screen() ? screen()->size() : QSize(1920, 1080)).expandedTo(QSize(640, 480));
    surface_ = QPixmap(screenSize);
    surface_.fill(fromBgr(args.WindowColour));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fromBgr(args.WindowColour));
    setPalette(pal);

    QFont font = this->font();
    if (!args.FontName.isEmpty()) font.setFamily(availableFamily(args.FontName));
    if (args.FontSize > 0) font.setPointSize(args.FontSize);
    font.setBold(args.FontBold);

    QPainter p(&surface_);
    p.setFont(font);
    p.setPen(fromBgr(args.FontColour));
    const QFontMetricsF metrics(font, &surface_);
    const double lineHeight = pixelsToTwipsY(metrics.height(), this);
    // Tabs are drawn as stops every eight average characters from the left margin, so
    // that tabbed columns line up.
    const double tabStop = pixelsToTwipsX(8 * metrics.averageCharWidth(), this);

    W_ = 1500;
    B_ = 0;
    double y = 120;
    QString remaining = args.TheMessage;
    while (!remaining.isEmpty()) {
        const qsizetype end = remaining.indexOf(QLatin1String("\r\n"));
        const QString line = end < 0 ? remaining : remaining.left(end);
        remaining = end < 0 ? QString() : remaining.mid(end + 2);

        double x = leftMargin;
        double textWidth = 0;
        const QStringList runs = line.split(QLatin1Char('\t'));
        for (qsizetype r = 0; r < runs.size(); ++r) {
            if (r > 0) x = leftMargin + (std::floor((x - leftMargin) / tabStop) + 1) * tabStop;
            const QPointF at(x * logicalDpiX() / 1440.0,
                             y * logicalDpiY() / 1440.0 + metrics.ascent());
            p.drawText(at, runs[r]);
            const double w = pixelsToTwipsX(metrics.horizontalAdvance(runs[r]), this);
            x += w;
            textWidth += w;
        }
        // The width the line is laid out for: its text, and the tab allowance. Where the tab
        // stops reach further, the line's real end decides, so that nothing is clipped.
        const double decided =
            lineWidthTwips(textWidth, static_cast<int>(runs.size() - 1), args.FontSize);
        const double widest = std::max(decided, x);
        if (widest > W_) W_ = roundTwips(widest);
        y += lineHeight;
        B_ = roundTwips(y);
    }
}

void frm_FlashMessage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, surface_);
}

void frm_FlashMessage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // Escape does nothing here
        return;
    }
    QDialog::keyPressEvent(event);
}

int FlashMessage(QWidget* owner, const FlashArgs& args) {
    frm_FlashMessage dialog(owner);
    dialog.prepare(args);
    if (!PlayWAV(dialog.soundPlayer(), QStringLiteral("C:\\WINDOWS\\Media\\Windows Error.wav"),
                 false, false))
        QApplication::beep();
    if (dialog.closesByItself()) dialog.closeTimer()->start();
    dialog.exec();
    return dialog.ButtonPressed();
}

} // namespace chronodex
