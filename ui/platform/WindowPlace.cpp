#include "ui/platform/WindowPlace.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

// More than any real window decoration: a larger or negative frame is one Qt saw half made while
// the window manager reparented the window, and counts as not known yet.
constexpr int kLargestFrame = 200;

bool Sane(int side) {
    return side >= 0 && side <= kLargestFrame;
}

// The frame of the window when it is neither maximized nor full-screen, as last seen.
const char* const kNormalFrame = "vornikNormalFrame";

void RememberNormalFrame(QWidget* window, const QMargins& frame) {
    if (!frame.isNull() && Sane(frame.left()) && Sane(frame.top()) && Sane(frame.right()) &&
        Sane(frame.bottom())) {
        window->setProperty(kNormalFrame, QVariant::fromValue(frame));
    }
}

void RememberNormalFrame(QWidget* window) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    RememberNormalFrame(window, QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                         outer.right() - inner.right(), outer.bottom() - inner.bottom()));
}

// A home placement given before the window is on screen. Until the window manager has framed it
// (again, after hiding) Qt may not know how much of the outer size the frame takes, nor where the
// window system left a window it unmapped, so the placement is given again as soon as the window
// is exposed with its frame known (a later move by the user does not count). Without a window
// manager there is no frame and the first placement already was exact.
class PendingPlace : public QObject {
  public:
    PendingPlace(QWidget* window, const QRect& outer, bool sized)
        : QObject(window), window_(window), outer_(outer), sized_(sized) {
        setObjectName(QStringLiteral("PendingPlace"));
        window->installEventFilter(this);
        WatchHandle();
    }
    ~PendingPlace() override {
        if (handle_) {
            handle_->removeEventFilter(this);
        }
        if (window_) {
            window_->removeEventFilter(this);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                WatchHandle();
                break;
            case QEvent::Expose:
                if (window_ && handle_ && handle_->isExposed()) {
                    // Asked of the window system now: Qt's own idea of the frame is updated only
                    // when the window next moves.
                    const QMargins frame = handle_->frameMargins();
                    if (!frame.isNull() && Sane(frame.left()) && Sane(frame.top()) && Sane(frame.right()) &&
                        Sane(frame.bottom())) {
                        Apply(frame);
                    }
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void WatchHandle() {
        if (!handle_ && window_ && window_->windowHandle()) {
            handle_ = window_->windowHandle();
            handle_->installEventFilter(this);
        }
    }

    // The client area where the frame lands at its home place, given directly.
    void Apply(const QMargins& frame) {
        QWidget* window = window_;
        window->removeEventFilter(this);
        window_ = nullptr;
        const QSize size = sized_ ? QSize(outer_.width() - frame.left() - frame.right(),
                                          outer_.height() - frame.top() - frame.bottom())
                                  : window->size();
        window->setGeometry(QRect(outer_.topLeft() + QPoint(frame.left(), frame.top()), size));
        RememberNormalFrame(window, frame);
        deleteLater();
    }

    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    QRect outer_;
    bool sized_;
};

}  // namespace

void ShowWindow(QWidget* window) {
    // A minimized window comes back as it was before (a maximized one stays maximized); a hidden
    // one places itself when shown.
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

QSize FrameExtra(const QWidget* window) {
    const QSize extra = window->frameGeometry().size() - window->geometry().size();
    return Sane(extra.width()) && Sane(extra.height()) ? extra : QSize(0, 0);
}

void PlaceOuter(QWidget* window, int left, int top, int width, int height) {
    const bool sized = width >= 0 && height >= 0;
    // A window put at its home place is neither minimized nor maximized: a maximized frame
    // would ignore the placement, a minimized one would not be seen there.
    const Qt::WindowStates zoomed = Qt::WindowMaximized | Qt::WindowFullScreen;
    const bool wasZoomed = (window->windowState() & zoomed) != 0;
    if (window->windowState() & (Qt::WindowMinimized | zoomed)) {
        window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | zoomed));
    }
    const QMargins normalFrame = window->property(kNormalFrame).value<QMargins>();
    if (wasZoomed && !normalFrame.isNull()) {
        // Qt still knows the frame of the zoomed window (the window manager changes it only
        // later): the client area is placed inside the frame the window has when not zoomed.
        const QSize client = sized ? QSize(width - normalFrame.left() - normalFrame.right(),
                                           height - normalFrame.top() - normalFrame.bottom())
                                   : window->size();
        window->setGeometry(QRect(QPoint(left + normalFrame.left(), top + normalFrame.top()), client));
        return;
    }
    const QSize extra = FrameExtra(window);
    if (!extra.isNull() && !wasZoomed) {
        RememberNormalFrame(window);
    }
    // QWidget::move places the frame. Before the window exists it also makes the window system
    // take every position given as the frame's (north-west gravity) from the very first mapping
    // on, so a window placed in its constructor lands right even before it is framed.
    window->move(left, top);
    if (sized) {
        window->resize(width - extra.width(), height - extra.height());
    }
    delete window->findChild<PendingPlace*>(QStringLiteral("PendingPlace"), Qt::FindDirectChildrenOnly);
    const QWindow* handle = window->windowHandle();
    if (extra.isNull() || handle == nullptr || !handle->isExposed()) {
        new PendingPlace(window, QRect(left, top, qMax(width, 0), qMax(height, 0)), sized);
    }
}

QMargins KnownFrameMargins(const QWidget* except) {
    // A window manager may frame a sizeable window with a grip a fixed-size one lacks: a frame of
    // a window that is sizeable as this one is, or not, is taken first.
    const bool fixed = except->minimumSize() == except->maximumSize();
    QMargins other;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w == except || !w->isVisible() || (w->windowFlags() & Qt::FramelessWindowHint) ||
            w->windowHandle() == nullptr || !w->windowHandle()->isExposed()) {
            continue;
        }
        const QMargins frame = w->windowHandle()->frameMargins();
        if (frame.isNull() || !Sane(frame.left()) || !Sane(frame.top()) || !Sane(frame.right()) ||
            !Sane(frame.bottom())) {
            continue;
        }
        if ((w->minimumSize() == w->maximumSize()) == fixed) {
            return frame;
        }
        other = frame;
    }
    return other;
}

void CentreOnDesktop(QWidget* window) {
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QMargins own = window->windowHandle() != nullptr && window->windowHandle()->isExposed()
                             ? window->windowHandle()->frameMargins()
                             : QMargins();
    const QMargins frame = own.isNull() ? KnownFrameMargins(window) : own;
    const QSize outer = window->size().grownBy(frame);
    const QRect desk = screen->availableGeometry();
    PlaceOuter(window, desk.x() + (desk.width() - outer.width()) / 2,
               desk.y() + (desk.height() - outer.height()) / 2);
}
