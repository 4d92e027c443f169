#pragma once
// What is wrong with a site's links, as rows a window lists and the command
// line prints: links to files or fragments that are not there, links that
// leave the published folder or only work where letter case does not
// matter, pages nothing links to, pictures nothing uses, and the external
// links (checked only on request, over the network).

#include "sitekit/site_model.h"

#include <QString>

#include <vector>

namespace sitekit {

struct Finding {
    enum class Group { Broken, Orphan, UnusedPicture, NotChecked, External };
    Group group = Group::Broken;
    QString file;  // below the working folder ("Final-Pages/index.html")
    QString path;  // on disk
    int line = 0;  // 0 for a whole file
    int column = 0;
    QString link;
    QString reason;
    bool operator==(const Finding&) const = default;
};

// The caption of a group in the results window and the JSON output.
QString groupName(Finding::Group group);

// Every finding, grouped in the order of Group, within a group by file and
// line. The home page (index or default, with any page extension, in the
// root) is never an orphan.
std::vector<Finding> checkLinks(const Site& site, const QStringList& pageExtensions);

// True when any finding is a broken link.
bool hasBrokenLinks(const std::vector<Finding>& findings);

// "PAGE:LINE:COLUMN: LINK: reason", the form editors and CI read.
QString findingLine(const Finding& f);
// The findings as a JSON document.
QByteArray findingsJson(const std::vector<Finding>& findings);

} // namespace sitekit
