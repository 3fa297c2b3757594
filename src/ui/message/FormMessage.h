#pragma once

#include "app/Form.h"
#include "platform/Ports.h"

#include <functional>
#include <memory>

namespace vantorel {

// The popup that shows a message page pushed by the service.
class FormMessage : public Form {
  public:
    FormMessage(WebViewFactory* webViews, std::function<void()> onClose);
    ~FormMessage() override;

    void Form_Load();
    void Form_Resize();
    void click(Control& c) override;
    void mouseMove(Control& c, int button, int shift, double x, double y) override;

  protected:
    void resized() override { Form_Resize(); }

  private:
    std::unique_ptr<WebView> web_;
    std::function<void()> onClose_;
};

}  // namespace vantorel
