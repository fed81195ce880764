#pragma once
// The editor bar's clock texts: the clock button's tooltip and the account
// of the longest delay paths behind an automatic clock period.
#include <string>

class Editor;

// keyName: the display name of the clock button's hotkey.
std::string clockTooltip(const Editor& editor, bool editable, const std::string& keyName);
std::string clockPeriodExplanation(const Editor& editor);
