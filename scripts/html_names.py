#!/usr/bin/env python3
"""Writes resources/html_names.txt, the names the source editor completes.

Elements and the attributes each takes follow the HTML standard's element
and attribute indexes; the entity names are the standard's named character
references as Python carries them (html.entities.html5), so the file is made
again offline with: python3 scripts/html_names.py
"""
import html.entities
import os

GLOBAL = """accesskey autocapitalize autocorrect autofocus class contenteditable dir
draggable enterkeyhint hidden id inert inputmode is itemid itemprop itemref itemscope
itemtype lang nonce popover slot spellcheck style tabindex title translate
writingsuggestions onabort onauxclick onbeforeinput onbeforetoggle onblur oncancel
oncanplay oncanplaythrough onchange onclick onclose oncontextmenu oncopy oncuechange
oncut ondblclick ondrag ondragend ondragenter ondragleave ondragover ondragstart ondrop
ondurationchange onemptied onended onerror onfocus onformdata oninput oninvalid
onkeydown onkeypress onkeyup onload onloadeddata onloadedmetadata onloadstart
onmousedown onmouseenter onmouseleave onmousemove onmouseout onmouseover onmouseup
onpaste onpause onplay onplaying onprogress onratechange onreset onresize onscroll
onscrollend onsecuritypolicyviolation onseeked onseeking onselect onslotchange
onstalled onsubmit onsuspend ontimeupdate ontoggle onvolumechange onwaiting onwheel"""

ELEMENTS = {
    "a": "href target download ping rel hreflang type referrerpolicy",
    "abbr": "", "address": "",
    "area": "alt coords shape href target download ping rel referrerpolicy",
    "article": "", "aside": "",
    "audio": "src crossorigin preload autoplay loop muted controls",
    "b": "", "base": "href target", "bdi": "", "bdo": "", "blockquote": "cite",
    "body": "onafterprint onbeforeprint onbeforeunload onhashchange onlanguagechange "
            "onmessage onmessageerror onoffline ononline onpagehide onpagereveal "
            "onpageshow onpageswap onpopstate onrejectionhandled onstorage "
            "onunhandledrejection onunload",
    "br": "",
    "button": "disabled form formaction formenctype formmethod formnovalidate formtarget "
              "name popovertarget popovertargetaction type value",
    "canvas": "width height", "caption": "", "cite": "", "code": "",
    "col": "span", "colgroup": "span", "data": "value", "datalist": "",
    "dd": "", "del": "cite datetime", "details": "name open", "dfn": "",
    "dialog": "open", "div": "", "dl": "", "dt": "", "em": "",
    "embed": "src type width height", "fieldset": "disabled form name",
    "figcaption": "", "figure": "", "footer": "",
    "form": "accept-charset action autocomplete enctype method name novalidate rel target",
    "h1": "", "h2": "", "h3": "", "h4": "", "h5": "", "h6": "",
    "head": "", "header": "", "hgroup": "", "hr": "", "html": "", "i": "",
    "iframe": "src srcdoc name sandbox allow allowfullscreen width height "
              "referrerpolicy loading",
    "img": "alt src srcset sizes crossorigin usemap ismap width height referrerpolicy "
           "decoding loading fetchpriority",
    "input": "accept alpha alt autocomplete checked colorspace dirname disabled form "
             "formaction formenctype formmethod formnovalidate formtarget height list "
             "max maxlength min minlength multiple name pattern placeholder "
             "popovertarget popovertargetaction readonly required size src step type "
             "value width",
    "ins": "cite datetime", "kbd": "", "label": "for", "legend": "", "li": "value",
    "link": "href crossorigin rel as media hreflang type sizes imagesrcset imagesizes "
            "referrerpolicy integrity blocking color disabled fetchpriority",
    "main": "", "map": "name", "mark": "", "menu": "",
    "meta": "name http-equiv content charset media",
    "meter": "value min max low high optimum", "nav": "", "noscript": "",
    "object": "data type name form width height", "ol": "reversed start type",
    "optgroup": "disabled label", "option": "disabled label selected value",
    "output": "for form name", "p": "", "picture": "", "pre": "",
    "progress": "value max", "q": "cite", "rp": "", "rt": "", "ruby": "", "s": "",
    "samp": "", "search": "",
    "script": "src type nomodule async defer crossorigin integrity referrerpolicy "
              "blocking fetchpriority",
    "section": "", "select": "autocomplete disabled form multiple name required size",
    "slot": "name", "small": "", "source": "type media src srcset sizes width height",
    "span": "", "strong": "", "style": "media blocking", "sub": "", "summary": "",
    "sup": "", "table": "", "tbody": "", "td": "colspan rowspan headers",
    "template": "shadowrootmode shadowrootdelegatesfocus shadowrootclonable "
                "shadowrootserializable",
    "textarea": "autocomplete cols dirname disabled form maxlength minlength name "
                "placeholder readonly required rows wrap",
    "tfoot": "", "th": "colspan rowspan headers scope abbr", "thead": "",
    "time": "datetime", "title": "", "tr": "",
    "track": "default kind label src srclang", "u": "", "ul": "", "var": "",
    "video": "src crossorigin poster preload autoplay playsinline loop muted controls "
             "width height",
    "wbr": "",
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "resources", "html_names.txt")
    lines = [
        "# The names the source editor completes, made by scripts/html_names.py.",
        "# <name> attributes...  an element and the attributes it takes",
        "# <*> attributes...     the attributes every element takes",
        "# &name;                a named character reference",
        "<*> " + " ".join(GLOBAL.split()),
    ]
    for name in sorted(ELEMENTS):
        lines.append(("<%s> %s" % (name, " ".join(ELEMENTS[name].split()))).rstrip())
    for name in sorted(n for n in html.entities.html5 if n.endswith(";")):
        lines.append("&" + name)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
