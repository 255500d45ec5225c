#include "gui/dialog_style.h"

#ifdef __WXGTK3__
#include <dlfcn.h>
#endif

namespace varnik {

#ifdef __WXGTK3__
namespace {

// The few GTK functions used here are looked up in the running program, so
// that building needs only the toolkit wrapper's headers.
template <typename Function>
Function Gtk(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

constexpr const char* kDialogClass = "varnik-template-dialog";

// Padding of one pixel above and below the text, as the classic controls
// have; the theme's minimum heights are dropped.
constexpr const char* kCompactCss =
    ".varnik-template-dialog button,"
    ".varnik-template-dialog combobox button,"
    ".varnik-template-dialog entry {"
    "  min-height: 0;"
    "  padding-top: 1px;"
    "  padding-bottom: 1px;"
    "}";

// Application priority: above the theme, below the user's own settings.
constexpr unsigned kProviderPriority = 600;
constexpr int kEllipsizeEnd = 3;

void InstallProviderOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const auto newProvider = Gtk<void* (*)()>("gtk_css_provider_new");
  const auto load = Gtk<int (*)(void*, const char*, long, void**)>("gtk_css_provider_load_from_data");
  const auto defaultScreen = Gtk<void* (*)()>("gdk_screen_get_default");
  const auto addForScreen = Gtk<void (*)(void*, void*, unsigned)>("gtk_style_context_add_provider_for_screen");
  if (newProvider == nullptr || load == nullptr || defaultScreen == nullptr || addForScreen == nullptr) return;
  void* screen = defaultScreen();
  if (screen == nullptr) return;
  void* provider = newProvider();  // kept for the life of the program
  if (load(provider, kCompactCss, -1, nullptr) == 0) return;
  addForScreen(screen, provider, kProviderPriority);
}

}  // namespace

void ApplyCompactDialogStyle(wxWindow* dialog) {
  InstallProviderOnce();
  const auto styleContext = Gtk<void* (*)(void*)>("gtk_widget_get_style_context");
  const auto addClass = Gtk<void (*)(void*, const char*)>("gtk_style_context_add_class");
  if (styleContext == nullptr || addClass == nullptr || dialog->GetHandle() == nullptr) return;
  addClass(styleContext(dialog->GetHandle()), kDialogClass);
}

void LetLabelShrink(wxWindow* control) {
  const auto child = Gtk<void* (*)(void*)>("gtk_bin_get_child");
  const auto binType = Gtk<unsigned long (*)()>("gtk_bin_get_type");
  const auto labelType = Gtk<unsigned long (*)()>("gtk_label_get_type");
  const auto isA = Gtk<int (*)(void*, unsigned long)>("g_type_check_instance_is_a");
  const auto ellipsize = Gtk<void (*)(void*, int)>("gtk_label_set_ellipsize");
  if (child == nullptr || binType == nullptr || labelType == nullptr || isA == nullptr || ellipsize == nullptr) {
    return;
  }
  void* widget = control->GetHandle();
  if (widget == nullptr || isA(widget, binType()) == 0) return;
  void* label = child(widget);
  if (label != nullptr && isA(label, labelType()) != 0) ellipsize(label, kEllipsizeEnd);
}

#else

void ApplyCompactDialogStyle(wxWindow*) {}
void LetLabelShrink(wxWindow*) {}

#endif

}  // namespace varnik
