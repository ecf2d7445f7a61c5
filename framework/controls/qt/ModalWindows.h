#pragma once
// Framework-internal: the windows a modal run disables. As on the classic
// platform, a modal form disables the windows shown when it starts, and
// only those: a window opened while it runs (a message box from the
// dialog, a spell check from an editor) takes input as usual, and a modal
// form opened from it disables the ones below in its turn. A disabled
// window keeps its look; it gets no mouse, wheel or key input and cannot
// be closed, and a click on it brings the modal window forward.
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace velmor_internal {

// What a person sends a window: mouse, keys, wheel, touch, tablet, drops,
// the input method. A disabled window, or a widget whose control is gone,
// takes none of it.
bool IsUserInput(QEvent::Type type);

class TModalWindowsOff {
public:
    // Disables every visible top-level window except `modal`.
    explicit TModalWindowsOff(QWidget* modal);
    ~TModalWindowsOff();
    TModalWindowsOff(const TModalWindowsOff&) = delete;
    TModalWindowsOff& operator=(const TModalWindowsOff&) = delete;

    QWidget* Modal() const { return FModal; }
    bool Disables(const QWidget* window) const;

private:
    QPointer<QWidget> FModal;
    std::vector<QPointer<QWidget>> FDisabled;
};

// Whether a modal run keeps the window from taking input.
bool WindowDisabledByModal(const QWidget* window);

}  // namespace velmor_internal
