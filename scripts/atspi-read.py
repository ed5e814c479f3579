#!/usr/bin/python3
# Reads the running Vendalo through AT-SPI, the way a screen reader such as
# Orca finds it: the entry fields, the results grid, the result labels and
# the toolbar buttons, with what each is called. Prints what it read and exits
# non-zero when something a screen reader needs is missing. Run by
# scripts/check-atspi inside a session bus with the accessibility bus up.
import sys
import time

import pyatspi

ENTRY_NAMES = [
    "Your Loan Amount $", "Term", "Interest Rate %", "Monthly Payment (P&I) $",
    "Your Desired Sales Price $", "First Mortgage Balance $", "Second Mortgage Balance $",
    "Other Loans Against House $", "Annual Property Taxes $", "Annual Insurance $",
    "Annual HOA Dues $", "Average Monthly Utilities $", "Estimated Closing Month",
    "Prorated Property Taxes Due $", "Transfer Taxes (% of Sales Price)", "Transfer Taxes Due $",
    "Mortgage Prepayment Penalty $", "Sales Commission %", "Sales Commission $",
    "Other Sales Commission $", "Other Fees $", "Sales Price Interval",
]
GRID_TITLES = ["Sales Price", "Desired Proceeds", "After 1 Month"] + [
    "%d Months" % n for n in range(2, 13)]
BUTTONS = ["Print Preview", "Reset values", "Check for Update", "About", "Help",
           "Close Vendalo ..."]


def find_app():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == "vendalo":
                return app
        time.sleep(0.1)
    return None


def walk(node, depth=0):
    for child in node:
        if child is None:
            continue
        yield child
        if depth < 30 and child.getRole() != pyatspi.ROLE_TABLE:
            yield from walk(child, depth + 1)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def spoken_name(node):
    """The name Orca announces: a combo box is read by the label that labels it."""
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
    return node.name


def main():
    app = find_app()
    if app is None:
        print("no application named Vendalo on the accessibility bus")
        return 1
    problems = []
    nodes = [n for n in walk(app) if showing(n)]

    entries = []
    for n in nodes:
        role = n.getRole()
        if role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_COMBO_BOX,
                    pyatspi.ROLE_SPIN_BUTTON):
            if n.parent is not None and n.parent.getRole() == pyatspi.ROLE_COMBO_BOX:
                continue  # the text part of the month box
            entries.append(n)
    print("Entry fields (%d), as a screen reader announces them:" % len(entries))
    for n in entries:
        value = ""
        try:
            value = n.queryText().getText(0, -1)
        except NotImplementedError:
            pass
        if n.getRole() == pyatspi.ROLE_COMBO_BOX:
            value = n.name
        print("  %s, %s, %s%s" % (spoken_name(n) or "(no name)", n.getRoleName(), value,
                                   " -- " + n.description if n.description else ""))
    names = [spoken_name(n) for n in entries]
    for expected in ENTRY_NAMES:
        if expected not in names:
            problems.append("no entry field named %r" % expected)
    if len(entries) != len(ENTRY_NAMES):
        problems.append("%d entry fields, expected %d" % (len(entries), len(ENTRY_NAMES)))

    tables = [n for n in nodes if n.getRole() == pyatspi.ROLE_TABLE]
    if len(tables) != 1:
        problems.append("%d tables, expected the one grid" % len(tables))
    else:
        table = tables[0].queryTable()
        titles = []
        for c in range(table.nColumns):
            header = table.getColumnHeader(c)
            titles.append(header.name if header is not None else table.getColumnDescription(c))
        print("Grid column headers:", ", ".join(titles))
        if titles != GRID_TITLES:
            problems.append("grid headers read %r" % titles)
        for r in range(table.nRows):
            row_header = table.getRowDescription(r)
            cells = [table.getAccessibleAt(r, c).name for c in range(3)]
            print("  row %d (row header %r): %s ..." % (r, row_header, ", ".join(cells)))
            if r > 0 and (not row_header or row_header != cells[0]):
                problems.append("row %d is not headed by its sales price" % r)

    labels = [n for n in nodes if n.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC)
              and ("Costs:" in n.name)]
    print("Result labels:", " | ".join(n.name for n in labels))
    for caption in ("Your Monthly Carrying Costs: ", "Sales Transacation Costs: "):
        if not any(n.name.startswith(caption) and len(n.name) > len(caption) for n in labels):
            problems.append("no result label read as %r..." % caption)

    buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    print("Buttons:", ", ".join(n.name or "(no name)" for n in buttons))
    for expected in BUTTONS:
        if expected not in [n.name for n in buttons]:
            problems.append("no button named %r" % expected)

    bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_BAR]
    for bar in bars:
        print("Menu bar:", ", ".join(child.name for child in bar))
    if not bars:
        problems.append("no menu bar")

    for p in problems:
        print("PROBLEM:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
