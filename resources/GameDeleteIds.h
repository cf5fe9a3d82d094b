#pragma once
// Identifiers of the uninstaller's string table in gamedelete.rc. Shared by
// C++ code and the resource script, so this header holds nothing but #define lines.

#define IDS_UNINSTALL_QUESTION 65438  // "%s をアンインストールしますか？"
#define IDS_UNINSTALL_CAPTION  65439  // "アンインストールの確認"
