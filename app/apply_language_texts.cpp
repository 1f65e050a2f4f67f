#include "app/apply_language_texts.h"

#include "app/app_context.h"

namespace glimmora {

namespace {
constexpr const char* kInfoWindowTitleKeys[] = {"ac51", "ac52", "ac53", "ac54"};
}  // namespace

void ApplyLanguageTexts(AppContext& context, const std::string& fileName) {
  ApplyLanguage(context.store, context.texts, fileName);
  if (context.tray) {
    for (const char* key : kTrayMenuKeys) context.tray->Menu().SetText(key, context.texts.Text(key));
  }
  if (context.infoWindows) {
    for (const char* key : kInfoWindowTitleKeys) context.infoWindows->SetTitle(key, context.texts.Text(key));
  }
}

}  // namespace glimmora
