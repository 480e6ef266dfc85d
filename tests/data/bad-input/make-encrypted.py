#!/usr/bin/python3
"""Writes encrypted.xls: the input fixture sheet saved by a spreadsheet
application with the password "secret" (the workbook is RC4-encrypted).

    make-encrypted.py     (needs soffice and python3-uno: libreoffice-calc-nogui)
"""
import os
import subprocess
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue


def prop(name, value):
    item = PropertyValue()
    item.Name = name
    item.Value = value
    return item


here = os.path.dirname(os.path.abspath(__file__))
source = os.path.join(here, "..", "input", "Signals.fods")
target = os.path.join(here, "encrypted.xls")
profile = tempfile.mkdtemp()
office = subprocess.Popen(["soffice", "--headless", "--invisible", "-env:UserInstallation=file://" + profile,
                           "--accept=pipe,name=co447gen_encrypt;urp;"])
try:
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(60):
        try:
            context = resolver.resolve("uno:pipe,name=co447gen_encrypt;urp;StarOffice.ComponentContext")
            break
        except Exception:
            time.sleep(0.5)
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    document = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(source)), "_blank", 0,
                                            (prop("Hidden", True),))
    document.storeToURL(uno.systemPathToFileUrl(target), (prop("FilterName", "MS Excel 97"), prop("Password", "secret")))
    document.close(True)
    try:
        desktop.terminate()
    except Exception:
        pass
finally:
    try:
        office.wait(timeout=30)
    except subprocess.TimeoutExpired:
        office.kill()
