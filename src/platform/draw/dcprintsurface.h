// A print surface over a printing drawing context.
#pragma once

#include "draw/printsurface.h"

namespace platform {

class Dc;

class DcPrintSurface : public PrintSurface {
  public:
    explicit DcPrintSurface(Dc& dc) : dc_(dc) {}
    int lineHeight() const override;
    int pageHeight() const override;
    void drawTabbed(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) const override;
    int averageCharWidth() const override;
    bool newPage() override;

  private:
    Dc& dc_;
};

} // namespace platform
