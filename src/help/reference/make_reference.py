#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes Velicort's HTML reference from the facts in elements.txt: one page
per element, the contents page qr-main.htm grouped by purpose, the topic file
htmlib.dat that maps each tag to its page, and a copy of resources.htm.

Usage: make_reference.py <elements.txt> <resources.htm> <output folder>
"""

import html
import os
import shutil
import sys

STYLE = """body { font-family: sans-serif; font-size: 10pt; margin: 4px; }
h1 { font-size: 15pt; color: #003366; margin-bottom: 2px; }
h2 { font-size: 11pt; color: #003366; margin-top: 12px; margin-bottom: 2px; }
pre { background-color: #f2f2ee; padding: 4px; white-space: pre-wrap; }
dt { margin-top: 4px; }
dd { margin-left: 16px; }
p.nav { font-size: 9pt; }
p.obsolete { color: #800000; }"""

END_TAG = {
    "required": "Required: the element ends with its end tag.",
    "optional": "May be left out where the next tag or the end of the parent ends the element.",
    "none": "None: the element is void; it has no content and no end tag.",
}


class Element:
    def __init__(self, name, page):
        self.name = name
        self.page = page
        self.group = None
        self.purpose = []
        self.end = None
        self.attrs = []
        self.example = []
        self.related = []
        self.obsolete = None

    def tag(self):
        """The element as a tag, the way the pages and the contents name it."""
        if self.name == "!--":
            return "<!-- -->"
        if self.page == "global":
            return "Global attributes"
        return "<%s>" % self.name


def fail(source, number, message):
    sys.exit("%s:%d: %s" % (source, number, message))


def read_facts(source):
    groups, elements, current = [], [], None
    with open(source, encoding="utf-8") as facts:
        for number, line in enumerate(facts, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("group "):
                key, _, title = line[6:].partition(" ")
                groups.append((key, title))
            elif line.startswith("== "):
                words = line[3:].split()
                current = Element(words[0], words[1] if len(words) > 1 else words[0].lower())
                elements.append(current)
            elif current is None:
                fail(source, number, "a fact before the first element")
            else:
                field, _, value = line.partition(":")
                value = value.strip()
                if field == "group":
                    current.group = value
                elif field == "for":
                    current.purpose.append(value)
                elif field == "end":
                    if value not in END_TAG:
                        fail(source, number, "end must be required, optional or none")
                    current.end = value
                elif field == "attr":
                    parts = [part.strip() for part in value.split("|")]
                    if len(parts) != 3:
                        fail(source, number, "attr needs name | values | meaning")
                    current.attrs.append(parts)
                elif field == "example":
                    current.example.append(line.partition(":")[2][1:])
                elif field == "related":
                    current.related = value.split()
                elif field == "obsolete":
                    current.obsolete = value
                else:
                    fail(source, number, "unknown field " + field)
    known = {key for key, _ in groups} | {"reference"}
    for element in elements:
        if element.group not in known:
            sys.exit("%s: %s has no known group" % (source, element.name))
        if element.group != "reference" and not element.end:
            sys.exit("%s: %s does not say whether it has an end tag" % (source, element.name))
    return groups, elements


def page(title, body):
    return (
        '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
        "<title>%s - Velicort HTML reference</title>\n<style>\n%s\n</style>\n</head>\n<body>\n"
        '<p class="nav"><a href="qr-main.htm">Contents</a> | <a href="resources.htm">Resources</a></p>\n'
        "%s</body>\n</html>\n" % (html.escape(title), STYLE, body)
    )


def link(element):
    return '<a href="%s.htm">%s</a>' % (element.page, html.escape(element.tag()))


def element_page(element, by_name, group_titles):
    e = html.escape
    out = ["<h1>%s</h1>\n" % e(element.tag())]
    if element.obsolete:
        out.append('<p class="obsolete"><b>Obsolete.</b> %s</p>\n' % e(element.obsolete))
    out += ["<p>%s</p>\n" % e(text) for text in element.purpose]
    if element.group != "reference":
        out.append(
            '<p>Listed under <a href="qr-main.htm#%s">%s</a>.</p>\n' % (element.group, e(group_titles[element.group]))
        )
        out.append("<h2>End tag</h2>\n<p>%s</p>\n" % END_TAG[element.end])
    if element.attrs or element.group != "reference":
        out.append("<h2>Attributes</h2>\n")
    if element.attrs:
        # A list rather than a table: the help pane is narrow.
        out.append("<dl>\n")
        for name, values, meaning in element.attrs:
            out.append("<dt><code><b>%s</b></code> = <i>%s</i></dt><dd>%s</dd>\n" % (e(name), e(values), e(meaning)))
        out.append("</dl>\n")
    if element.group not in ("reference", "markup"):
        out.append('<p>It also takes the <a href="global.htm">global attributes</a>.</p>\n')
    if element.example:
        out.append("<h2>Example</h2>\n<pre>%s</pre>\n" % e("\n".join(element.example)))
    if element.related:
        links = []
        for name in element.related:
            if name.lower() not in by_name:
                sys.exit("%s: related element %s has no page" % (element.name, name))
            links.append(link(by_name[name.lower()]))
        out.append("<h2>Related</h2>\n<p>%s</p>\n" % ", ".join(links))
    return page(element.tag(), "".join(out))


def contents_page(groups, elements):
    out = [
        "<h1>HTML reference</h1>\n",
        "<p>Press F2 with the caret in a tag to see its page. The elements are grouped by what they are for; "
        "the obsolete ones, which older pages and some tag dialogs still write, come last with what to use "
        'instead. Every element also takes the <a href="global.htm">global attributes</a>.</p>\n',
    ]
    for key, title in groups:
        members = sorted((el for el in elements if el.group == key), key=lambda el: el.name.lower())
        out.append('<h2><a name="%s"></a>%s</h2>\n<p>%s</p>\n' % (key, html.escape(title), " ".join(map(link, members))))
    return page("Contents", "".join(out))


def topic_line(element):
    return "<%s,%s.htm" % (element.name.upper(), element.page)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source, resources, folder = sys.argv[1:]
    groups, elements = read_facts(source)
    by_name = {el.name.lower(): el for el in elements}
    group_titles = dict(groups)
    os.makedirs(folder, exist_ok=True)

    def write(name, text):
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as out:
            out.write(text)

    for element in elements:
        write(element.page + ".htm", element_page(element, by_name, group_titles))
    write("qr-main.htm", contents_page(groups, elements))
    write("htmlib.dat", "".join(topic_line(el) + "\n" for el in elements if el.group != "reference"))
    shutil.copyfile(resources, os.path.join(folder, "resources.htm"))


if __name__ == "__main__":
    main()
