#include "popup/NotifyPopup.h"

#include <shellapi.h>

#include <memory>

#include "popup/NotifyPopupForm.h"
#include "popup/PopupGeometry.h"
#include "toolkit/Properties.h"

namespace quendrel::popup {

using toolkit::TComponent;

namespace {

class WindowsShell : public PopupShell {
public:
  bool TaskbarRect(RECT& rect) override {
    // The structure's own size: a 64-bit shell refuses the 32-bit layout's 36 bytes.
    static_assert(sizeof(APPBARDATA) == (sizeof(void*) == 8 ? 48 : 36));
    APPBARDATA data{};
    data.cbSize = sizeof(APPBARDATA);
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return false;
    rect = data.rc;
    return true;
  }
  RECT WorkArea() override {
    RECT rect{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0)) {
      rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return rect;
  }
  void OpenURL(const std::string& url) override {
    // No verb: the shell's default action. Failures (nothing registered, no such file) are the
    // user's to see in the shell; the popup closes either way.
    ShellExecuteA(nullptr, nullptr, url.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
  }
};

}  // namespace

PopupShell& SystemShell() {
  static WindowsShell shell;  // stateless
  return shell;
}

TNotifyPopup::TNotifyPopup(TComponent* owner) : TComponent(owner), shell_(&SystemShell()) {
  hoverFont_.SetStyle(toolkit::fsUnderline);
  hoverFont_.SetColor(toolkit::RGBToColor(0, 0, 255));
  titleFont_.SetStyle(toolkit::fsBold);
}

TNotifyPopup::~TNotifyPopup() = default;

const toolkit::TPropertyList& TNotifyPopup::ClassProperties() {
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TComponent::ClassProperties();
    using C = TNotifyPopup;
    using toolkit::TBitmap;
    using toolkit::TFont;
    l.String<C>("Text", [](const C& c) { return c.Text(); }, [](C& c, const std::string& v) { c.SetText(v); });
    l.String<C>("URL", [](const C& c) { return c.URL(); }, [](C& c, const std::string& v) { c.SetURL(v); });
    l.Object<C, TBitmap>("IconBitmap", "TBitmap", [](C& c) { return &c.IconBitmap(); },
                         [](C& c, TBitmap* v) { c.SetIconBitmap(v != nullptr ? *v : TBitmap()); });
    l.Integer<C>("IconLeft", [](const C& c) { return c.IconLeft(); }, [](C& c, auto v) { c.SetIconLeft(int(v)); });
    l.Integer<C>("IconTop", [](const C& c) { return c.IconTop(); }, [](C& c, auto v) { c.SetIconTop(int(v)); });
    l.Integer<C>("TimeOut", [](const C& c) { return c.TimeOut(); }, [](C& c, auto v) { c.SetTimeOut(int(v)); });
    l.Integer<C>("Width", [](const C& c) { return c.Width(); }, [](C& c, auto v) { c.SetWidth(int(v)); });
    l.Integer<C>("Height", [](const C& c) { return c.Height(); }, [](C& c, auto v) { c.SetHeight(int(v)); });
    l.Integer<C>("GradientColor1", [](const C& c) { return c.GradientColor1(); },
                 [](C& c, auto v) { c.SetGradientColor1(toolkit::TColor(v)); }, "TColor");
    l.Integer<C>("GradientColor2", [](const C& c) { return c.GradientColor2(); },
                 [](C& c, auto v) { c.SetGradientColor2(toolkit::TColor(v)); }, "TColor");
    l.Enum<C>("GradientOrientation", "TOrientation", [](const C& c) { return c.GradientOrientation(); },
              [](C& c, auto v) { c.SetGradientOrientation(static_cast<TOrientation>(v)); });
    l.Integer<C>("ScrollSpeed", [](const C& c) { return c.ScrollSpeed(); },
                 [](C& c, auto v) { c.SetScrollSpeed(int(v)); }, "TScrollSpeed");
    l.Object<C, TFont>("Font", "TFont", [](C& c) { return &c.Font(); },
                       [](C& c, TFont* v) { if (v != nullptr) c.SetFont(*v); });
    l.Object<C, TFont>("HoverFont", "TFont", [](C& c) { return &c.HoverFont(); },
                       [](C& c, TFont* v) { if (v != nullptr) c.SetHoverFont(*v); });
    l.String<C>("Title", [](const C& c) { return c.Title(); }, [](C& c, const std::string& v) { c.SetTitle(v); });
    l.Object<C, TFont>("TitleFont", "TFont", [](C& c) { return &c.TitleFont(); },
                       [](C& c, TFont* v) { if (v != nullptr) c.SetTitleFont(*v); });
    l.SetOf<C>("Options", "TNotifyPopupOptions", [](const C& c) { return c.Options(); },
               [](C& c, auto v) { c.SetOptions(static_cast<TNotifyPopupOptions>(v)); });
    l.Enum<C>("TextAlignment", "TAlignment", [](const C& c) { return c.TextAlignment(); },
              [](C& c, auto v) { c.SetTextAlignment(static_cast<toolkit::TAlignment>(v)); });
    l.Enum<C>("BackgroundDrawMethod", "TNotifyImageDrawMethod", [](const C& c) { return c.BackgroundDrawMethod(); },
              [](C& c, auto v) { c.SetBackgroundDrawMethod(static_cast<TNotifyImageDrawMethod>(v)); });
    l.Integer<C>("TextCursor", [](const C& c) { return c.TextCursor(); },
                 [](C& c, auto v) { c.SetTextCursor(int(v)); }, "TCursor");
    l.Integer<C>("PopupMarge", [](const C& c) { return c.PopupMarge(); },
                 [](C& c, auto v) { c.SetPopupMarge(int(v)); });
    l.Integer<C>("PopupStartX", [](const C& c) { return c.PopupStartX(); },
                 [](C& c, auto v) { c.SetPopupStartX(int(v)); });
    l.Integer<C>("PopupStartY", [](const C& c) { return c.PopupStartY(); },
                 [](C& c, auto v) { c.SetPopupStartY(int(v)); });
    l.Enum<C>("DefaultMonitor", "TDefaultMonitor", [](const C& c) { return c.DefaultMonitor(); },
              [](C& c, auto v) { c.SetDefaultMonitor(static_cast<TDefaultMonitor>(v)); });
    l.Object<C, TBitmap>("BackgroundImage", "TBitmap", [](C& c) { return &c.BackgroundImage(); },
                         [](C& c, TBitmap* v) { c.SetBackgroundImage(v != nullptr ? *v : TBitmap()); });
    l.Event<C>("OnClick", "TNotifyEvent", [](const C& c) { return bool(c.OnClick); });
    l.Event<C>("OnURLClick", "TURLEvent", [](const C& c) { return bool(c.OnURLClick); });
    return l;
  }();
  return list;
}

void TNotifyPopup::SetIconBitmap(const toolkit::TBitmap& value) {
  if (&value != &iconBitmap_) iconBitmap_.Assign(value);
}

void TNotifyPopup::SetBackgroundImage(const toolkit::TBitmap& value) {
  if (&value != &backgroundImage_) backgroundImage_.Assign(value);
}

void TNotifyPopup::SetFont(const toolkit::TFont& value) {
  if (&value != &font_) font_.Assign(value);
}

void TNotifyPopup::SetHoverFont(const toolkit::TFont& value) {
  if (&value != &hoverFont_) hoverFont_.Assign(value);
}

void TNotifyPopup::SetTitleFont(const toolkit::TFont& value) {
  if (&value != &titleFont_) titleFont_.Assign(value);
}

void TNotifyPopup::SetScrollSpeed(int value) {
  scrollSpeed_ = static_cast<TScrollSpeed>(value < 1 ? 1 : value > 50 ? 50 : value);
}

void TNotifyPopup::SetTextCursor(int value) {
  if (value >= -32768 && value <= 32767) {
    textCursor_ = value;
  } else if (value > 32767 && value <= 65535) {
    textCursor_ = value - 65536;
  } else {
    textCursor_ = toolkit::crDefault;
  }
}

int TNotifyPopup::GetTaskbarEdge() {
  RECT rect{};
  if (!shell_->TaskbarRect(rect)) return kEdgeUnknown;
  return TaskbarEdgeFromRect(rect.left, rect.top, rect.right, rect.bottom);
}

bool TNotifyPopup::OpenPopup() {
  const int edge = GetTaskbarEdge();
  if (edge != taskbarEdge_) {
    taskbarEdge_ = edge;
    shownCount_ = 0;
  }
  const RECT wa = shell_->WorkArea();
  if (shownCount_ <= 0) {
    stackOffset_ = 0;
  } else if (!RoomForPopup(WorkRect{wa.left, wa.top, wa.right, wa.bottom}, stackOffset_, height_, popupStartY_)) {
    return false;
  }
  ++shownCount_;
  std::unique_ptr<TfrmNotifyPopup, toolkit::TComponentDeleter> form(new TfrmNotifyPopup(Owner()));
  form->TakeSettings(*this);
  form->StartPopup();
  // From here the component's owner holds it (when there is one), and it frees itself on closing.
  form.release();
  return true;
}

}  // namespace quendrel::popup
