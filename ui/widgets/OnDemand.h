#pragma once
// Child controls built on first need. The windows that start hidden (precision settings, About
// box, diagram window, assistant) would otherwise build dozens of controls, fonts and pictures at
// start-up that the user may never open. Such a window derives from OnDemandWindow and holds its
// controls in OnDemand / OnDemandArray members: they read like plain pointers, and the first read
// (by the window's own show, another window's command or a test) builds all the controls.

#include <QWidget>
#include <array>
#include <cstddef>

class ControlsOnDemand {
  public:
    ControlsOnDemand() = default;
    ControlsOnDemand(const ControlsOnDemand&) = delete;
    ControlsOnDemand& operator=(const ControlsOnDemand&) = delete;

    // Whether the controls exist yet.
    bool IsBuilt() const { return built_; }
    // Builds the controls unless they exist. Reading a control is not a change the window's
    // users can see, so readers holding the window as const may build it too.
    void EnsureBuilt() const {
        if (!built_) {
            built_ = true;
            const_cast<ControlsOnDemand*>(this)->BuildControls();
        }
    }

  protected:
    ~ControlsOnDemand() = default;
    // Creates every child control; runs once, on first need.
    virtual void BuildControls() = 0;

  private:
    mutable bool built_ = false;
};

// A window that starts hidden and builds its controls when it is first shown, if nothing reached
// them before.
class OnDemandWindow : public QWidget, public ControlsOnDemand {
  public:
    using QWidget::QWidget;

    void setVisible(bool visible) override {
        if (visible) {
            EnsureBuilt();
        }
        QWidget::setVisible(visible);
    }
};

// One control of a ControlsOnDemand window.
template <typename T>
class OnDemand {
  public:
    explicit OnDemand(const ControlsOnDemand* window) : window_(window) {}
    // A copy reaches the same control (as in a list of controls to loop over).
    OnDemand(const OnDemand&) = default;
    OnDemand& operator=(const OnDemand&) = delete;

    // Set while the controls are built.
    OnDemand& operator=(T* control) {
        control_ = control;
        return *this;
    }

    T* get() const {
        window_->EnsureBuilt();
        return control_;
    }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }

  private:
    const ControlsOnDemand* window_;
    T* control_ = nullptr;
};

// A numbered row of controls of a ControlsOnDemand window.
template <typename T, std::size_t N>
class OnDemandArray {
  public:
    explicit OnDemandArray(const ControlsOnDemand* window) : window_(window) {}
    OnDemandArray(const OnDemandArray&) = delete;
    OnDemandArray& operator=(const OnDemandArray&) = delete;

    T*& operator[](std::size_t index) {
        window_->EnsureBuilt();
        return controls_[index];
    }
    T* operator[](std::size_t index) const {
        window_->EnsureBuilt();
        return controls_[index];
    }
    T* at(std::size_t index) const {
        window_->EnsureBuilt();
        return controls_.at(index);
    }
    static constexpr std::size_t size() { return N; }

  private:
    const ControlsOnDemand* window_;
    std::array<T*, N> controls_{};
};
