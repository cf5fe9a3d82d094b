#pragma once
// The uninstaller's one question to the user.

#include <string>

namespace gamedelete {

// Asks whether the game `title` (system code page) is to be removed, with
// Yes and No and the question icon; true for Yes. The texts are Japanese
// while the system code page may lack some of their characters (code page
// 949 has no long-vowel mark), so the box is shown in UTF-16.
bool AskToUninstall(const std::string& title);

}  // namespace gamedelete
