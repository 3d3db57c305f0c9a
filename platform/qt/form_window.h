// A form's top-level window. Closing it by its title bar is reported, not done: the framework decides,
// and hides the window through the form's Visible. A minimize or restore through the window manager is
// reported too, so that the form knows what the user sees.
#pragma once

#include <QWidget>
#include <functional>

namespace qtbackend {

class FormWindow : public QWidget {
  public:
    explicit FormWindow(QWidget* parent);

    std::function<void()> onUserClose;
    std::function<void()> onWindowStateChange;
    // The window's caption; the title bar shows it as it is, '&' included.
    void setText(const QString& caption) { setWindowTitle(caption); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
};

}  // namespace qtbackend
