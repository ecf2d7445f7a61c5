#include "framework/controls/qt/ControlBridge.h"

#include <QApplication>
#include <QFocusEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>
#include <QWheelEvent>
#include <atomic>
#include <functional>

#include "framework/controls/Control.h"
#include "framework/controls/qt/QtConvert.h"
#include "framework/messages/MessageQueue.h"

namespace {
const QEvent* gBypassKey = nullptr;      // a replacement key event we send ourselves
constexpr const char* kBridgeProperty = "velmorBridge";

UINT ButtonMessage(QEvent::Type type, Qt::MouseButton button) {
    const int row = button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : 0;
    static const UINT table[3][3] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK},
    };
    const int col = type == QEvent::MouseButtonPress ? 0 : type == QEvent::MouseButtonRelease ? 1 : 2;
    return table[row][col];
}

using TDepthGuard = velmor_internal::TDispatchScope;

// Keeps the event whose widget handling is pending for as long as it is
// translated; nested events (a modal run inside a click) keep their own.
template <class T>
struct TPendingScopeOf {
    T*& Slot;
    T* Old;
    TPendingScopeOf(T*& slot, T* now) : Slot(slot), Old(slot) { Slot = now; }
    ~TPendingScopeOf() { Slot = Old; }
};
}  // namespace

// Key state seen by KeyboardShiftState while a key event is dispatched.
namespace velmor_internal {
int gKeyShiftOverride = -1;
}

TControlBridge::TControlBridge(TControl* control, QWidget* widget)
    : THandleObject([this](TMessage& m) {
          if (FControl) FControl->WindowProc(m);
      }),
      FControl(control),
      FWidget(widget) {
    Watch(widget);
}

TControlBridge::~TControlBridge() = default;

TWndMethod TControlBridge::Proc() const { return FControl ? FControl->WindowProc : TWndMethod(); }

TWndMethod TControlBridge::SetProc(TWndMethod proc) {
    if (!FControl) return {};
    TWndMethod old = std::move(FControl->WindowProc);
    FControl->WindowProc = std::move(proc);
    return old;
}

void TControlBridge::Detach() {
    FControl = nullptr;
    THandleObject::SetProc({});
    if (FWidget) FWidget->removeEventFilter(this);
}

void TControlBridge::Watch(QWidget* inner) {
    if (!inner) return;
    inner->setProperty(kBridgeProperty, QVariant::fromValue(static_cast<void*>(this)));
    inner->installEventFilter(this);
}

int TControlBridge::DispatchDepth() { return velmor_internal::DispatchDepth(); }

TControlBridge* TControlBridge::Of(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(kBridgeProperty);
        if (v.isValid()) return static_cast<TControlBridge*>(v.value<void*>());
    }
    return nullptr;
}

LRESULT TControlBridge::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FControl) return 0;
    TDepthGuard depth;
    LRESULT result = 0;
    TControl* control = FControl;
    GuardedCall([&] { result = control->Perform(msg, wParam, lParam); });
    return result;
}

namespace {
// Tells when a popup window hides.
class TPopupWatch : public QObject {
public:
    TPopupWatch(QWidget* popup, std::function<void()> onHide) : QObject(popup), FOnHide(std::move(onHide)) {
        popup->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide && FOnHide) FOnHide();
        return false;
    }

private:
    std::function<void()> FOnHide;
};
}  // namespace

void TControlBridge::WatchOwnPopup(QWidget* popup) {
    FInOwnPopup = true;
    if (popup->property("velmorPopupWatched").isValid()) return;
    popup->setProperty("velmorPopupWatched", true);
    new TPopupWatch(popup, [this] {
        // Once the list is gone the focus is back in the control, or the
        // click that closed the list took it elsewhere: then the control
        // has lost it now.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!FInOwnPopup || !FControl || !FWidget) return;
                QWidget* f = QApplication::focusWidget();
                if (f && Of(f) == this) return;
                FInOwnPopup = false;
                Send(WM_KILLFOCUS);
                Send(CM_EXIT);
            },
            Qt::QueuedConnection);
    });
}

bool TControlBridge::RunWidgetDefault(UINT msg) {
    TPendingDefault* pending = FPending;
    if (!pending || pending->Done || pending->Msg != msg) return FControl != nullptr;
    pending->Done = true;
    TDepthGuard depth;
    static_cast<QObject*>(pending->Target)->event(pending->Event);
    return FControl != nullptr;
}

bool TControlBridge::eventFilter(QObject* watched, QEvent* e) {
    if (!FControl || !FWidget || !watched->isWidgetType()) return false;
    bool consumed = false;
    GuardedCall([&] { consumed = Translate(static_cast<QWidget*>(watched), e); });
    return consumed;
}

bool TControlBridge::IsKeyTarget(QWidget* w) const {
    QWidget* f = QApplication::focusWidget();
    if (!f) return w->isWindow();
    while (f && !f->property(kBridgeProperty).isValid()) f = f->parentWidget();
    return f == w;
}

bool TControlBridge::Translate(QWidget* w, QEvent* e) {
    using TPendingScope = TPendingScopeOf<TPendingDefault>;
    TControl* control = FControl;
    QWidget* own = FWidget.data();
    // Painting and mouse points belong to the client area, which for a
    // form with a menu bar is an inner widget below the bar.
    QWidget* client = control->ClientWidget();
    // A message that never reached the default procedure was swallowed by
    // a replaced WindowProc: the widget must not act on it either.
    auto sendSeen = [&](TMessage& m) -> bool {
        const unsigned before = control->FWndProcSeen;
        TDepthGuard depth;
        GuardedCall([&] { control->WindowProc(m); });
        if (!FControl) return false;
        return control->FWndProcSeen != before;
    };

    switch (e->type()) {
    case QEvent::Paint: {
        if (w != client) return false;
        TMessage m{WM_PAINT, 0, reinterpret_cast<LPARAM>(e), 0};
        const unsigned before = control->FWndProcSeen;
        try {
            TDepthGuard depth;
            control->WindowProc(m);
        } catch (...) {
            // No error box in the middle of painting: it comes once the
            // paint is over.
            std::exception_ptr error = std::current_exception();
            QMetaObject::invokeMethod(QCoreApplication::instance(), [error] { HandleDispatchException(error); },
                                      Qt::QueuedConnection);
            return true;
        }
        if (!FControl) return true;
        return control->FWndProcSeen == before || m.Result != 0;
    }
    case QEvent::Resize:
        if (w == own) {
            const QSize s = own->size();
            WPARAM kind = SIZE_RESTORED;
            if (own->isWindow() && own->isMinimized()) kind = SIZE_MINIMIZED;
            else if (own->isWindow() && own->isMaximized()) kind = SIZE_MAXIMIZED;
            Send(WM_SIZE, kind, MakeLParam(s.width(), s.height()));
        }
        return false;
    case QEvent::Move:
        if (w == own) Send(WM_MOVE, 0, MakeLParam(own->x(), own->y()));
        return false;
    case QEvent::WindowStateChange:
        if (w == own && own->isWindow()) {
            const QSize s = own->size();
            WPARAM kind = own->isMinimized() ? SIZE_MINIMIZED
                          : own->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
            Send(WM_SIZE, kind, MakeLParam(s.width(), s.height()));
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(e);
        QPoint p = me->position().toPoint();
        // A watched widget may lie outside the control's own (a combo box's
        // list opens as a window of its own): then only screen points relate.
        if (w != client)
            p = client == own && own->isAncestorOf(w) ? w->mapTo(own, p) : client->mapFromGlobal(w->mapToGlobal(p));
        const QPoint global = me->globalPosition().toPoint();
        // A left press on a spot that answers as the frame (a drawn frame,
        // or a shaped form's free client area answering HTCAPTION) is a
        // non-client press, and so is all the mouse does until its release.
        if (own->isWindow() && (w == own || w == client)) {
            const LPARAM at = MakeLParam(global.x(), global.y());
            if (e->type() == QEvent::MouseButtonPress && me->button() == Qt::LeftButton) {
                const LRESULT hit = Send(WM_NCHITTEST, 0, at);
                if (!FControl) return true;
                if (hit > HTCLIENT) {
                    FNCHit = hit;
                    FDragStart = global;
                    FDragOrigin = own->geometry();
                    if (Send(WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at) != 0) {
                        // The window manager moves or sizes the window and
                        // has the mouse until it is done.
                        Send(WM_CAPTURECHANGED);
                    } else {
                        FNCTracking = true;
                    }
                    e->accept();
                    return true;
                }
            } else if (FNCTracking) {
                if (e->type() == QEvent::MouseMove) {
                    // No window manager took it: the window follows here.
                    const QPoint d = global - FDragStart;
                    QRect g = FDragOrigin;
                    switch (FNCHit) {
                    case HTCAPTION: g.translate(d); break;
                    case HTLEFT: g.setLeft(g.left() + d.x()); break;
                    case HTRIGHT: g.setRight(g.right() + d.x()); break;
                    case HTTOP: g.setTop(g.top() + d.y()); break;
                    case HTBOTTOM: g.setBottom(g.bottom() + d.y()); break;
                    case HTTOPLEFT: g.setTopLeft(g.topLeft() + d); break;
                    case HTTOPRIGHT: g.setTopRight(g.topRight() + d); break;
                    case HTBOTTOMLEFT: g.setBottomLeft(g.bottomLeft() + d); break;
                    case HTBOTTOMRIGHT: g.setBottomRight(g.bottomRight() + d); break;
                    default: break;
                    }
                    if (g.size() == own->size()) own->move(g.topLeft());
                    else if (g.width() > 0 && g.height() > 0) own->setGeometry(g);
                    Send(WM_NCMOUSEMOVE, static_cast<WPARAM>(FNCHit), at);
                } else if (e->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton) {
                    FNCTracking = false;
                    // Released on a caption button, the button acts.
                    const LRESULT hit = FNCHit == HTCAPTION ? HTCAPTION : Send(WM_NCHITTEST, 0, at);
                    if (!FControl) return true;
                    Send(WM_NCLBUTTONUP, static_cast<WPARAM>(hit), at);
                }
                e->accept();
                return true;
            } else if (w == own && own != client && own->isWindow()) {
                // The rest of what the mouse does on a drawn frame is no
                // client input.
                e->accept();
                return true;
            }
        }
        Qt::MouseButtons buttons = me->buttons();
        if (e->type() != QEvent::MouseMove) buttons |= me->button();
        if (e->type() == QEvent::MouseButtonRelease) buttons &= ~me->button();
        const UINT msg = e->type() == QEvent::MouseMove ? WM_MOUSEMOVE : ButtonMessage(e->type(), me->button());
        TMessage m{msg, velmor_internal::MouseKeyState(buttons, me->modifiers()), MakeLParam(p.x(), p.y()), 0};
        velmor_internal::gKeyShiftOverride = -1;
        TPendingDefault pending{w, e, msg, false};
        TPendingScope scope(FPending, &pending);
        const bool seen = sendSeen(m);
        if (!FControl) return true;
        // The widget does its own handling now unless the control's handler
        // asked for it already, and the event stops here so the parent
        // control does not get it a second time.
        if (seen && !pending.Done) static_cast<QObject*>(w)->event(e);
        e->accept();
        return true;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(e);
        const QPoint global = we->globalPosition().toPoint();
        const int delta = we->angleDelta().y() ? we->angleDelta().y() : we->angleDelta().x();
        const WPARAM keys = velmor_internal::MouseKeyState(we->buttons(), we->modifiers());
        TMessage m{WM_MOUSEWHEEL, (keys & 0xFFFF) | (static_cast<WPARAM>(static_cast<Word>(delta)) << 16),
                   MakeLParam(global.x(), global.y()), 0};
        const bool seen = sendSeen(m);
        return !FControl || !seen || m.Result != 0;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (e == gBypassKey || !IsKeyTarget(w)) return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mods = ke->modifiers();
        int shift = 0;
        if (mods & Qt::ShiftModifier) shift |= ssShift;
        if (mods & Qt::ControlModifier) shift |= ssCtrl;
        if (mods & Qt::AltModifier) shift |= ssAlt;
        struct TShiftScope {
            explicit TShiftScope(int s) { velmor_internal::gKeyShiftOverride = s; }
            ~TShiftScope() { velmor_internal::gKeyShiftOverride = -1; }
        } scope(shift);
        const bool alt = (mods & Qt::AltModifier) != 0;
        const int vk = QtKeyToVirtualKey(ke->key(), (mods & Qt::KeypadModifier) != 0);
        LPARAM lp = 1 | ((static_cast<LPARAM>(ke->nativeScanCode()) & 0xFF) << 16);
        if (alt) lp |= KF_ALTDOWN_BIT;
        if (ke->isAutoRepeat()) lp |= KF_REPEAT_BIT;
        if (e->type() == QEvent::KeyRelease) {
            if (!vk) return false;
            TMessage m{alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), lp | KF_REPEAT_BIT, 0};
            TPendingDefault pending{w, e, m.Msg, false};
            TPendingScope scope(FPending, &pending);
            const bool seen = sendSeen(m);
            return !FControl || pending.Done || !seen || m.Result != 0 || m.WParam == 0;
        }
        if (vk) {
            TMessage m{alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk), lp, 0};
            const bool seen = sendSeen(m);
            if (!FControl || !seen || m.Result != 0 || m.WParam == 0) return true;
        }
        // The window's key watch has offered it to the menus and the
        // controls' accelerators already; no one took it. As on the classic
        // platform it is no character: no KeyPress, and the widget types
        // nothing.
        if (velmor_internal::IsAltCharKey(ke)) return true;
        const QString text = ke->text();
        if (text.isEmpty()) return false;
        QString kept;
        bool changed = false;
        for (char32_t cp : text.toUcs4()) {
            TMessage m{alt ? WM_SYSCHAR : WM_CHAR, static_cast<WPARAM>(cp), lp, 0};
            const bool seen = sendSeen(m);
            if (!FControl) return true;
            if (!seen || m.Result != 0 || m.WParam == 0) {
                changed = true;
                continue;
            }
            if (m.WParam != cp) changed = true;
            const char32_t out = static_cast<char32_t>(m.WParam);
            kept += QString::fromUcs4(&out, 1);
        }
        if (!changed) return false;
        if (kept.isEmpty()) return true;
        // A handler changed the character: the widget gets the new one.
        QKeyEvent replacement(QEvent::KeyPress, kept.size() == 1 ? kept.at(0).unicode() : 0, mods, kept,
                              ke->isAutoRepeat(), static_cast<ushort>(ke->count()));
        gBypassKey = &replacement;
        QCoreApplication::sendEvent(w, &replacement);
        gBypassKey = nullptr;
        return true;
    }
    // Switching to another window and back moves the toolkit's focus but
    // not the form's: OnExit and OnEnter are for moves inside the form.
    case QEvent::FocusIn:
        if (FInOwnPopup && (w == own || Of(w) == this)) {
            FInOwnPopup = false;  // back from its own list: it never left
            return false;
        }
        if (w == own || Of(w) == this) {
            const bool returning = static_cast<QFocusEvent*>(e)->reason() == Qt::ActiveWindowFocusReason;
            Send(WM_SETFOCUS);
            if (!(returning && FLeftWithWindow) && !FLeftIntoPopup) Send(CM_ENTER);
            FLeftWithWindow = false;
            FLeftIntoPopup = false;
        }
        return false;
    case QEvent::FocusOut:
        if (w == own || Of(w) == this) {
            // The control's own popup (a combo box's dropped list) takes the
            // toolkit's focus; on the classic platform the control keeps it.
            QWidget* next = QApplication::focusWidget();
            if (next && next->window() != own->window() && Of(next) == this) {
                WatchOwnPopup(next->window());
                return false;
            }
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            // The control's own pop-up (a combo box's open list) is still
            // the control: the focus comes back to it when the list closes.
            FLeftIntoPopup = false;
            for (QWidget* p = QApplication::focusWidget(); p && own; p = p->parentWidget())
                if (p == own) {
                    FLeftIntoPopup = p != QApplication::focusWidget();
                    break;
                }
            FLeftWithWindow = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
            Send(WM_KILLFOCUS);
            if (!FLeftWithWindow && !FLeftIntoPopup) Send(CM_EXIT);
        }
        return false;
    // Entering the client area of a form from its menu bar is no new entry.
    case QEvent::Enter:
        if (w != client || client == own) Send(CM_MOUSEENTER);
        return false;
    case QEvent::Leave:
        if (w != client || client == own) Send(CM_MOUSELEAVE);
        return false;
    case QEvent::ContextMenu: {
        if (w != own && w != client && Of(w) != this) return false;
        const QPoint global = static_cast<QContextMenuEvent*>(e)->globalPos();
        TMessage m{WM_CONTEXTMENU, Handle(), MakeLParam(global.x(), global.y()), 0};
        const bool seen = sendSeen(m);
        // Not handled: the widget's own menu, or the parent's.
        return !FControl || !seen || m.Result != 0;
    }
    case QEvent::ToolTip:
        return true;  // the application shows hints itself
    case QEvent::Close:
        if (w == own && own->isWindow()) {
            Send(WM_CLOSE);
            e->ignore();  // the form decides what closing means
            return true;
        }
        return false;
    case QEvent::WindowActivate:
        if (w == own && own->isWindow()) Send(CM_ACTIVATE);
        return false;
    case QEvent::WindowDeactivate:
        if (w == own && own->isWindow()) Send(CM_DEACTIVATE);
        return false;
    case QEvent::Show:
        if (w == own && own->isWindow()) Send(WM_SHOWWINDOW, 1);
        return false;
    case QEvent::Hide:
        if (w == own && own->isWindow()) Send(WM_SHOWWINDOW, 0);
        return false;
    default:
        return false;
    }
}

namespace velmor_internal {

TClickFocusScope::TClickFocusScope(QWidget* pressed) {
    TControlBridge* bridge = TControlBridge::Of(pressed);
    QWidget* own = bridge ? bridge->Widget() : nullptr;
    if (!own || own->isWindow()) return;
    for (QWidget* w = own->parentWidget(); w; w = w->parentWidget()) {
        const Qt::FocusPolicy policy = w->focusPolicy();
        if (policy & Qt::ClickFocus) {
            FChanged.emplace_back(w, policy);
            w->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy & ~Qt::ClickFocus));
        }
        if (w->isWindow()) break;
    }
}

TClickFocusScope::~TClickFocusScope() {
    for (auto& [w, policy] : FChanged)
        if (w) w->setFocusPolicy(policy);
}

bool IsAltCharKey(const QKeyEvent* ke) {
    if ((ke->modifiers() & ~Qt::ShiftModifier) != Qt::AltModifier) return false;
    const int vk = QtKeyToVirtualKey(ke->key(), false);
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return true;
    const QString text = ke->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace velmor_internal

int QtKeyToVirtualKey(int key, bool keypad) {
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
        switch (key) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: break;
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Help: return VK_HELP;
    // The punctuation keys of a US keyboard, shifted or not.
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 0xBA;
    case Qt::Key_Equal: case Qt::Key_Plus: return 0xBB;
    case Qt::Key_Comma: case Qt::Key_Less: return 0xBC;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 0xBD;
    case Qt::Key_Period: case Qt::Key_Greater: return 0xBE;
    case Qt::Key_Slash: case Qt::Key_Question: return 0xBF;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 0xC0;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 0xDB;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 0xDC;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 0xDD;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 0xDE;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}
