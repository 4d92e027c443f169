#pragma once
// Where a new page's text comes from. Three sources, tried in order: the
// working folder's own template ("New Page" in Working-Pages, no extension,
// so no list of sources shows it), the template shipped beside the program
// ("New Page.rtf"), and a built-in HTML 4.01 skeleton.

#include <QString>

#include <vector>

namespace newpage {

inline const QString kWorkingTemplateName = QStringLiteral("New Page");
inline const QString kProgramTemplateName = QStringLiteral("New Page.rtf");

enum class Source { WorkingFolder, Program, BuiltIn };

struct Choice {
    Source source;
    QString path;  // "" for the built-in text
};

// The template sources that exist, in the order they are tried; the built-in
// text always comes last (a template that cannot be loaded falls through to
// the next one).
std::vector<Choice> Template_Order(const QString& workingPagesFolder, const QString& programFolder);

// Where Save for New Pages stores the working folder's template.
QString Working_Template_Path(const QString& workingPagesFolder);

// The built-in page: fourteen lines, each ending in CR LF; "TITLE" and
// "CONTENT" stay for the user to overwrite.
QString Built_In_Page_Text();

// The modern page the program ships as "New Page.rtf" (colour-coded there):
// an HTML5 skeleton with the same placeholders.
QString Shipped_Page_Text();

} // namespace newpage
