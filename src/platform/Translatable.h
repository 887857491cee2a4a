#pragma once

// The core keeps its texts in English: a menu's title, an alert, a status note. The window
// translates them where it shows them, in the context named here; lupdate finds them by this
// mark. Spelled as Qt spells it, so a file that sees both definitions compiles either way.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace zw::i18n {
// The contexts the core's texts are translated in.
inline constexpr char kCommands[] = "zw::Commands";
inline constexpr char kAlerts[] = "zw::Alerts";
inline constexpr char kStatus[] = "zw::StatusText";
inline constexpr char kFunctions[] = "zw::Catalogue";
// What a dialog says under a field it cannot read.
inline constexpr char kFields[] = "zw::Fields";
}  // namespace zw::i18n
