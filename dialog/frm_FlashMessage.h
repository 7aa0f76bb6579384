// The one dialog for every message and question of the program: a message drawn in the
// caller's font and colours, an icon, up to four caller-labelled buttons, the warning
// sound, and an optional time after which it closes itself.
#pragma once

#include "platform/sound.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QTimer;

namespace chronodex {

struct FlashArgs {
    QString TheMessage = QStringLiteral("?"); // lines separated by CR LF; tabs allowed
    QString TheTitle = QStringLiteral("#AppName# - Warning:");
    int Timer = 5000;   // ms; 0 or negative: never closes by itself
    int IconNumber = 0; // 0 the program's icon, 1-15 the store
    QString FontName = QStringLiteral("Arial");
    bool FontBold = false;
    int FontSize = 10;
    QString ButtonText = QStringLiteral("&OK"); // labels separated by "|", four at most
    std::uint32_t FontColour = 0;               // 0x00BBGGRR
    std::uint32_t WindowColour = 0x00FFFFFF;
};

// The width in twips that a message line is laid out for: the left margin (720), the
// width of its text, and the allowance of FontSize x 64 twips for each tab character.
double lineWidthTwips(double textWidth, int tabs, int fontSize);

// Shows the dialog modally over the owner and returns the index of the pressed button
// (the position of its label in ButtonText, from 0), or -1 when it closed in any other way.
int FlashMessage(QWidget* owner, const FlashArgs& args = {});

class frm_FlashMessage : public QDialog {
    Q_OBJECT

  public:
    explicit frm_FlashMessage(QWidget* owner);

    // Lays the dialog out for the arguments; FlashMessage then shows it.
    void prepare(const FlashArgs& args);
    int ButtonPressed() const { return ButtonPressed_; }
    const QString& message() const { return message_; }
    // The warning sound plays while the dialog is open.
    platform::SoundPlayer& soundPlayer() { return sound_; }

    QPushButton* button(int index) const { return com_OK.at(static_cast<std::size_t>(index)); }
    QLabel* iconImage() const { return img_IcornImage; }
    QTimer* closeTimer() const { return tim_CloseTimer; }
    bool closesByItself() const { return autoClose_; }
    // The layout in twips: the widest-line value, the last-line bottom, the client area.
    int widestLine() const { return W_; }
    int lastLineBottom() const { return B_; }
    int clientWidthTwips() const { return clientWidth_; }
    int clientHeightTwips() const { return clientHeight_; }
    int buttonLeftTwips(int index) const { return buttonLeft_.at(static_cast<std::size_t>(index)); }
    int buttonTopTwips() const { return buttonTop_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void drawMessage(const FlashArgs& args);

    std::array<QPushButton*, 4> com_OK{};
    QLabel* img_IcornImage = nullptr;
    QTimer* tim_CloseTimer = nullptr;
    int ButtonPressed_ = -1;
    QString message_;
    platform::SoundPlayer sound_;
    bool autoClose_ = false;
    QPixmap surface_;
    int W_ = 1500;
    int B_ = 0;
    int clientWidth_ = 4290;
    int clientHeight_ = 2955;
    std::array<int, 4> buttonLeft_{3120, 2160, 1200, 240};
    int buttonTop_ = 1200;
};

} // namespace chronodex
