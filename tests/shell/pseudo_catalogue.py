#!/usr/bin/env python3
"""Makes a pseudo-language catalogue from a .ts file: every source text in brackets and
lengthened by 40%, so a test can see which texts are translated and whether longer ones fit.
Usage: pseudo_catalogue.py in.ts out.ts"""
import math
import sys
import xml.etree.ElementTree as ET


def pseudo(text):
    return "[" + text + "~" * math.ceil(len(text) * 0.4) + "]"


def main(source, target):
    tree = ET.parse(source)
    for message in tree.getroot().iter("message"):
        text = message.find("source").text or ""
        translation = message.find("translation")
        for child in list(translation):
            translation.remove(child)
        translation.attrib.pop("type", None)
        if message.get("numerus") == "yes":
            translation.text = None
            for _ in range(2):
                ET.SubElement(translation, "numerusform").text = pseudo(text)
        else:
            translation.text = pseudo(text)
    tree.getroot().set("language", "en_US")
    tree.write(target, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
