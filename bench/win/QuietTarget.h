// The names by which the typing benchmark finds the quiet target window and
// asks it how many characters it has received. A message of its own, not
// WM_GETTEXTLENGTH: Wine converts that one between character sets across
// processes by fetching the window text, which is the caption here.
#pragma once

namespace tarvok::bench {

inline constexpr char kQuietTargetClass[] = "TarvokBenchQuiet";
inline constexpr char kQuietTargetCountMessage[] = "TarvokBenchQuietCharacterCount";

}  // namespace tarvok::bench
