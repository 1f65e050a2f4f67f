// The two dialogs of the event loop's commands: the open-file dialog for effect files and
// the colour dialog of a channel indicator. Both are modal and run a nested event loop.
//
// Thread: main (GUI) thread only.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace glimmora {

// A file-type list in the "description|pattern|description|pattern" form (patterns of one
// entry separated by ';', Windows-1251) as Qt's name filters, one per entry, in order:
// "description (pattern pattern)". A description that already ends in its patterns in
// parentheses is kept as it is; an entry without a pattern matches every file.
QString QtNameFilters(std::string_view fileTypes);

// The open-file dialog starting in the current directory with an empty file name and the
// first file type selected; title and file types are Windows-1251. The chosen path's bytes
// as the file system holds them, or nothing when cancelled. The current directory stays.
std::optional<std::string> ChooseFile(QWidget* parent, std::string_view title, std::string_view fileTypes);

// The colour dialog starting at black: red + 256 x green + 65536 x blue, or -1 when cancelled.
int ChooseColourValue(QWidget* parent);

}  // namespace glimmora
