"""The texts of the program's language pack, read from the same XML the
program embeds, so that tests expect what a user of that language reads."""

import xml.etree.ElementTree as ElementTree


class LangPack:
    def __init__(self, path):
        root = ElementTree.parse(path).getroot()
        self.languages = {e.get("tagName"): e.get("trueName")
                          for e in root.find("languages").iter("entry")}
        self.texts = {}
        for entry in root.iter("entry"):
            if entry.get("id") is None:
                continue
            self.texts[int(entry.get("id"))] = {child.tag: child.text or "" for child in entry}

    def text(self, text_id, language="eng"):
        """The text as shown (no-break spaces and outer white space trimmed,
        as accessible names are), or "" when the pack has none."""
        by_language = self.texts.get(text_id, {})
        return (by_language.get(language) or "").replace("\u00a0", " ").strip()
