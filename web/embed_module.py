#!/usr/bin/python3
"""Writes the page with its module inside: the template's @VELQUOR_MODULE@
becomes the module's bytes in base64, which the page's script decodes.

    embed_module.py PAGE_TEMPLATE MODULE PAGE
"""
import base64
import sys

template, module, page = sys.argv[1:]
with open(template, encoding='utf-8') as source:
    text = source.read()
with open(module, 'rb') as source:
    encoded = base64.b64encode(source.read()).decode('ascii')
with open(page, 'w', encoding='utf-8', newline='') as out:
    out.write(text.replace('@VELQUOR_MODULE@', encoded))
