// gumbo 0.10 (the HTML5 parser Debian ships): it reports where each
// attribute value lies in the input, which a rewrite needs to leave every
// other byte alone.
#include "sitekit/html_parser.h"

#include <gumbo.h>

#include <algorithm>
#include <unordered_set>

namespace sitekit::html {

namespace {

struct Walk {
    const char* base;
    qsizetype size;
    Document doc;
    // The tree builder clones formatting elements it reopens; a clone's
    // attributes point at the same bytes and must not be found twice.
    std::unordered_set<qsizetype> seenValues;
    std::unordered_set<qsizetype> seenTags;

    qsizetype offsetOf(const char* p) const { return p ? qsizetype(p - base) : -1; }

    void element(const GumboElement& e)
    {
        qsizetype at = offsetOf(e.original_tag.data);
        if (at < 0 && e.attributes.length > 0) {
            // Inserted by the parser (an <html> or <body> it made), holding
            // the attributes of a later tag of that name.
            at = offsetOf(static_cast<const GumboAttribute*>(e.attributes.data[0])->original_value.data);
        } else if (at >= 0 && !seenTags.insert(at).second) {
            return;  // a clone
        }
        if (at < 0 || at >= size)
            return;
        Element out;
        out.at = at;
        if (e.original_end_tag.length > 0)
            out.endAt = offsetOf(e.original_end_tag.data);
        if (out.endAt >= size)
            out.endAt = -1;
        out.tag = QByteArray(gumbo_normalized_tagname(e.tag));
        if (e.tag == GUMBO_TAG_UNKNOWN) {
            GumboStringPiece name = e.original_tag;
            gumbo_tag_from_original_text(&name);
            out.tag = QByteArray(name.data, qsizetype(name.length)).toLower();
        }
        for (unsigned i = 0; i < e.attributes.length; ++i) {
            const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
            qsizetype start = offsetOf(a->original_value.data);
            qsizetype end = start + qsizetype(a->original_value.length);
            if (start < 0 || end > size || a->original_value.length == 0)
                continue;
            if (!seenValues.insert(start).second)
                continue;
            const char q = base[start];
            if ((q == '"' || q == '\'') && end - start >= 2 && base[end - 1] == q) {
                ++start;
                --end;
            } else if (q == '"' || q == '\'') {
                ++start;  // cut short at the end of the input
            }
            out.attributes.push_back({QByteArray(a->name), QByteArray(a->value), start, end});
        }
        doc.elements.push_back(std::move(out));
    }

    void style(const GumboElement& e)
    {
        for (unsigned i = 0; i < e.children.length; ++i) {
            const auto* c = static_cast<const GumboNode*>(e.children.data[i]);
            if (c->type != GUMBO_NODE_TEXT && c->type != GUMBO_NODE_WHITESPACE)
                continue;
            const qsizetype start = offsetOf(c->v.text.original_text.data);
            const qsizetype end = start + qsizetype(c->v.text.original_text.length);
            if (start >= 0 && end <= size)
                doc.styles.push_back({start, end});
        }
    }
};

} // namespace

namespace {

// Their contents are code or data, not prose.
bool hidesText(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_TEMPLATE: case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_CODE: case GUMBO_TAG_KBD: case GUMBO_TAG_SAMP: case GUMBO_TAG_VAR:
    case GUMBO_TAG_XMP: case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_IFRAME: case GUMBO_TAG_OBJECT:
        return true;
    default:
        return false;
    }
}

} // namespace

Document parse(QByteArrayView bytes, bool withText)
{
    Walk w{bytes.data(), bytes.size(), {}, {}, {}};
    if (bytes.isEmpty())
        return {};
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // errors are not wanted, only the tree
    GumboOutput* out = gumbo_parse_with_options(&options, bytes.data(), size_t(bytes.size()));
    // Depth first without recursion: a page of a million nested tags must
    // not use up the stack.
    // Each node with whether text below it is read by a visitor.
    std::vector<std::pair<const GumboNode*, bool>> stack{{out->document, withText}};
    std::unordered_set<qsizetype> seenTexts;
    while (!stack.empty()) {
        const auto [n, readable] = stack.back();
        stack.pop_back();
        const GumboVector* children = nullptr;
        bool below = readable;
        if (n->type == GUMBO_NODE_DOCUMENT) {
            children = &n->v.document.children;
        } else if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) {
            w.element(n->v.element);
            if (n->v.element.tag == GUMBO_TAG_STYLE)
                w.style(n->v.element);
            children = &n->v.element.children;
            below = readable && n->type == GUMBO_NODE_ELEMENT && !hidesText(n->v.element.tag);
        } else if (readable && (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_CDATA)) {
            const GumboText& t = n->v.text;
            const qsizetype start = w.offsetOf(t.original_text.data);
            const qsizetype end = start + qsizetype(t.original_text.length);
            if (start >= 0 && end <= w.size && end > start && seenTexts.insert(start).second)
                w.doc.texts.push_back({start, end, QByteArray(t.text)});
        }
        if (children)
            for (unsigned i = children->length; i-- > 0;)
                stack.push_back({static_cast<const GumboNode*>(children->data[i]), below});
    }
    gumbo_destroy_output(&options, out);
    // Clones and adopted elements can leave the tree out of source order.
    std::stable_sort(w.doc.elements.begin(), w.doc.elements.end(),
                     [](const Element& a, const Element& b) { return a.at < b.at; });
    std::sort(w.doc.texts.begin(), w.doc.texts.end(),
              [](const TextRun& a, const TextRun& b) { return a.start < b.start; });
    std::sort(w.doc.styles.begin(), w.doc.styles.end(),
              [](const StyleBlock& a, const StyleBlock& b) { return a.start < b.start; });
    return std::move(w.doc);
}

} // namespace sitekit::html
