// The About window: the banner and the credits; "OK" closes it.
#pragma once

#include "ui/WindowHost.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class AboutWindow : public Window {
  public:
    explicit AboutWindow(WindowHost& host) : host_(host) {}
    // Creates and shows the window, or brings it to the front when it is already open: there is
    // never more than one.
    void open();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    WindowHost& host_;
};

}  // namespace qv::ui
