#!/usr/bin/python3
"""The calendar as a screen-reader user meets it, through the desktop's
accessibility bus (AT-SPI) on a real X server.

Runs in a display session of its own (scripts/display-session.sh: Xvfb,
openbox and a D-Bus session), runs the program with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, and then, with the keyboard alone:
reads the 42 day cells (each named by weekday and row, its text the day),
types "June" (the list says "Jun") and hears from Alt+T why
nothing is drawn, chooses February 1900 in the five selectors, presses the
button with its access key Alt+T and reads the new month; moves into the
next month with an arrow key and hears what the day the focus lands on is;
goes to 14 July 1789 with Ctrl+G, reading the chosen day's cell.

With --browser it closes the frame instead and reads the site browser that
opens: every object a screen reader meets in it has a name and is shown, up
to the page itself (whose content is the page's), the page is read with its
title, and the program lists no window that is not on the screen.

    atspi_calendar.py [--browser] PROGRAM

Exits 77 (skipped) when Xvfb, openbox, dbus-daemon, xdotool or pyatspi are
missing. Every wait has a deadline, so it never hangs.
"""

import calendar
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import time

SKIP = 77
FRAME = "A 10000 YEAR TEMPORIA"
HOME = "TEMPORIA - Welcome"
WEEKDAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
MONTHS = ["January", "February", "March", "April", "May", "Jun", "July", "August",
          "September", "October", "November", "December"]
SELECTORS = ["MONTH", "MILLENIUM", "CENTURY", "DECADE", "YEAR"]


def skip(why):
    print(f"skipped: {why}")
    sys.exit(SKIP)


# --- outside the display session: the session, then this script again inside it

SESSION = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "display-session.sh")


def outer(program, part):
    missing = [tool for tool in ("xdotool",) if not shutil.which(tool)]
    if missing:
        skip("missing " + ", ".join(missing))
    if subprocess.run([sys.executable, "-c", "import pyatspi"], capture_output=True).returncode != 0:
        skip("pyatspi is not installed for " + sys.executable)

    # The session's X server, window manager and D-Bus session bus; told to
    # end, it ends this script's inner run and then itself.
    session = subprocess.Popen([SESSION, "--", sys.executable, __file__, "--inner", part, program])
    try:
        return session.wait(timeout=150)
    except subprocess.TimeoutExpired:
        print("FAIL: the screen-reader session did not finish in time")
        session.terminate()
        try:
            session.wait(timeout=20)
        except subprocess.TimeoutExpired:
            session.kill()
        return 1


# --- inside the D-Bus session: the program, read through AT-SPI

class Failure(Exception):
    pass


def wait_for(what, condition, seconds=20.0):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.1)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True, timeout=10)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True, timeout=30)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(node, pyatspi):
    return node.getState().contains(pyatspi.STATE_SHOWING)


OPENED = None


def inner(program, part):
    import pyatspi

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    global OPENED
    OPENED = datetime.date.today()  # the month it opens on, should midnight pass meanwhile
    proc = subprocess.Popen([program], env=env)
    try:
        if part == "--browser":
            return read_the_browser(pyatspi, proc)
        return read_the_calendar(pyatspi, proc)
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()


def find_app(pyatspi, proc):
    if proc.poll() is not None:
        raise Failure(f"the program ended with {proc.returncode}")
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == proc.pid:
            return app
    return None


def the_frame(pyatspi, app):
    """The main frame; a splash window, if one comes first, goes at the first key press."""
    last_key = 0.0

    def frame():
        nonlocal last_key
        windows = [w for w in app if w is not None and showing(w, pyatspi)]
        for w in windows:
            if w.name == FRAME:
                return w
        if windows and time.monotonic() - last_key > 1.0:
            key("space")
            last_key = time.monotonic()
        return None

    return wait_for(f'the frame "{FRAME}"', frame, seconds=30)


def labelled(pyatspi, node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return None


def unmet(pyatspi, node, path=""):
    """What a screen reader meets at and below node that has no name or is
    not shown. A combo box goes by the text it holds and by its label; its
    drop-down list, while closed, belongs to it and only needs a name. The
    content of a web page is the page's, and stops the walk."""
    role = node.getRoleName()
    here = f"{path}/{role} {node.name!r}"
    found = []
    if not node.name and not (role == "combo box" and labelled(pyatspi, node)):
        found.append(f"{here}: no name")
    closed_list = role == "list" and node.parent is not None and node.parent.getRoleName() == "combo box"
    if not showing(node, pyatspi) and not closed_list:
        found.append(f"{here}: not shown")
    if role == "document web" or (closed_list and not showing(node, pyatspi)):
        return found
    for child in node:
        if child is not None:
            found += unmet(pyatspi, child, here)
    return found


def read_the_browser(pyatspi, proc):
    app = wait_for("the program on the accessibility bus", lambda: find_app(pyatspi, proc))
    the_frame(pyatspi, app)
    key("alt+F4")

    def browser():
        for w in app:
            if w is not None and showing(w, pyatspi) and w.name == HOME:
                return w
        return None

    window = wait_for(f'the browser at "{HOME}"', browser, seconds=60)

    def page():
        documents = [n for n in walk(window) if n.getRoleName() == "document web"]
        return documents[0] if documents and documents[0].name == HOME else None

    wait_for(f'the page read as "{HOME}"', page, seconds=30)
    found = unmet(pyatspi, window)
    if found:
        raise Failure("in the browser, " + "; ".join(found))
    print(f"read the browser at \"{HOME}\": every object named and shown, the page read with its title")

    windows = [(w.getRoleName(), w.name, showing(w, pyatspi)) for w in app if w is not None]
    strays = [w for w in windows if not w[1] or not w[2]]
    if strays or len(windows) != 1:
        raise Failure(f"the program lists the windows {windows}")
    print("the program lists only the browser's window")
    return 0


def read_the_calendar(pyatspi, proc):
    app = wait_for("the program on the accessibility bus", lambda: find_app(pyatspi, proc))
    main = the_frame(pyatspi, app)

    def cells():
        found = [n for n in walk(main) if n.getRoleName() == "text" and re.fullmatch(r"\w+day, row \d", n.name)]
        return found if len(found) == 42 else None

    grid = wait_for("the 42 day cells", cells)
    for n, cell in enumerate(grid):
        expected = f"{WEEKDAYS[n % 7]}, row {n // 7 + 1}"
        if cell.name != expected:
            raise Failure(f"cell {n} is named {cell.name!r}, not {expected!r}")

    def texts():
        return [cell.queryText().getText(0, -1) for cell in grid]

    today = datetime.date.today()
    if today.month != OPENED.month and month_shown(texts(), OPENED.year, OPENED.month):
        today = OPENED
    check_month(texts(), today.year, today.month)
    print(f"read {calendar.month_name[today.month]} {today.year} from the 42 cells")

    # The selectors as a screen reader names them: by the title that labels them.
    def labelled_by(node):
        return labelled(pyatspi, node)

    selectors = {labelled_by(n): n for n in walk(main) if n.getRoleName() == "combo box"}
    if sorted(k for k in selectors if k) != sorted(SELECTORS):
        raise Failure(f"selectors labelled {sorted(k for k in selectors if k)}")

    def focused():
        # The innermost focused object: the calendar's own window counts as focused too.
        nodes = [n for n in walk(main) if n.getState().contains(pyatspi.STATE_FOCUSED)]
        if not nodes:
            return None
        node, parent = nodes[-1], nodes[-1].parent
        return parent if parent is not None and parent.getRoleName() == "combo box" else node

    def where(node):
        return None if node is None else (node.getRoleName(), node.name, node.getIndexInParent())

    def focused_selector():
        node = focused()
        return labelled_by(node) if node is not None and node.getRoleName() == "combo box" else None

    # Tab to the month selector, then type each choice over the selection.
    for _ in range(60):
        if wait_for("the focus", focused) and focused_selector() == "MONTH":
            break
        before = where(focused())
        key("Tab")
        wait_for("the focus to move", lambda: where(focused()) not in (None, before), seconds=5)
    else:
        raise Failure("Tab never reached the month selector")

    # "June" is no item ("Jun" is): Alt+T draws nothing and says why, beside
    # the selector and, through its description, to the screen reader.
    def told():
        node = focused()
        return node is not None and "Choose a month from the list: January" in node.description \
            and "Jun, July" in node.description

    for attempt in range(3):
        wait_for("the focus on MONTH", lambda: focused_selector() == "MONTH", seconds=5)
        key("ctrl+a")
        typed("June")
        key("alt+t")
        try:
            wait_for("the reason in the month selector's description", told, seconds=5)
            break
        except Failure:
            if attempt == 2:
                raise
    print(f'typed "June", pressed Alt+T and heard: {focused().description}')

    for title, choice in zip(SELECTORS, ["February", "1", "9", "0", "0"]):
        # The frame's slideshow hides and shows the calendar every 20 s; keys
        # typed in that instant are lost, so a choice that did not arrive is
        # typed again, as a person would.
        for attempt in range(3):
            wait_for(f"the focus on {title}", lambda: focused_selector() == title, seconds=5)
            key("ctrl+a")
            typed(choice)
            try:
                wait_for(f'{title} to read "{choice}"', lambda: selectors[title].name == choice, seconds=5)
                break
            except Failure:
                if attempt == 2:
                    raise
        if title != SELECTORS[-1]:
            key("Tab")

    key("alt+t")
    try:
        wait_for("February 1900 in the grid", lambda: month_shown(texts(), 1900, 2), seconds=10)
    except Failure:
        check_month(texts(), 1900, 2)
        raise
    print("chose February 1900 with the keyboard, pressed Alt+T and read it from the 42 cells")

    # Between days with the arrow keys: Tab on to the grid's last row (blank
    # in February 1900), then Right; the focus lands on 6 March, which the
    # grid now shows.
    def on_cell():
        node = focused()
        return node is not None and node.getRoleName() == "text" and node.parent is not None \
            and node.parent.getRoleName() != "combo box"

    for _ in range(10):
        if on_cell():
            break
        before = where(focused())
        key("Tab")
        wait_for("the focus to move", lambda: where(focused()) not in (None, before), seconds=5)
    else:
        raise Failure("Tab never reached the grid")
    start = focused()
    if start.queryText().getText(0, -1) != "":
        raise Failure(f"Tab reached the cell {start.name!r}, which is not blank")
    key("Right")
    wait_for("March 1900 in the grid", lambda: month_shown(texts(), 1900, 3), seconds=10)
    wait_for("the focus on 6 March", lambda: on_cell() and focused().queryText().getText(0, -1) == "6", seconds=5)
    print("pressed Right on the blank cell after February 1900 and landed on 6 March")

    # What the day is, in the description of the cell with the focus: the
    # days since then in the program's locale's digits (today's, or
    # yesterday's should midnight pass meanwhile).
    told = r"Tuesday, 6 March 1900, day 65 of 365, week 10, ([\d,.\s\u00a0\u202f']+) days ago"

    def heard():
        match = re.fullmatch(told, focused().description)
        return match and int(re.sub(r"\D", "", match.group(1)))

    try:
        days = wait_for("the day's description on 6 March", heard, seconds=5)
    except Failure:
        raise Failure(f"6 March 1900 is described as {focused().description!r}") from None
    since = (datetime.date.today() - datetime.date(1900, 3, 6)).days
    if days not in (since, since - 1):
        raise Failure(f"6 March 1900 is {days} days ago, not {since}: {focused().description!r}")
    print(f"heard on 6 March: {focused().description}")

    # Ctrl+G asks for a date in a field of its own (no cell has the focus
    # then); the date typed and Enter, the grid shows its month and the
    # focus is on the day, which a screen reader hears as the chosen one.
    def on_chosen_day():
        node = focused()
        return on_cell() and node.queryText().getText(0, -1) == "14" and "chosen day" in node.description

    for attempt in range(3):
        wait_for("the focus on a cell", on_cell, seconds=5)
        key("ctrl+g")
        try:
            wait_for("the date field to take the focus", lambda: not on_cell(), seconds=5)
            typed("14 July 1789")
            key("Return")
            wait_for("July 1789 in the grid", lambda: month_shown(texts(), 1789, 7), seconds=10)
            wait_for("the focus on 14 July, chosen", on_chosen_day, seconds=5)
            break
        except Failure:
            key("Escape")  # the field, if still open, closes and gives the focus back
            if attempt == 2:
                raise
    cell = focused()
    print(f'pressed Ctrl+G, typed "14 July 1789" and Enter: the focused cell reads '
          f'{cell.queryText().getText(0, -1)!r}, described as {cell.description!r}')
    return 0


def month_shown(texts, year, month):
    try:
        check_month(texts, year, month)
        return True
    except Failure:
        return False


def check_month(texts, year, month):
    """Day 1 stands under its weekday, in the first row or (after a leap
    February, when the month starts on a Monday) the second; the days follow
    in order and every other cell is empty."""
    column = datetime.date(year, month, 1).weekday()
    days = calendar.monthrange(year, month)[1]
    if "1" not in texts:
        raise Failure(f"{year}-{month:02}: no day 1 among {texts}")
    start = texts.index("1")
    expected = [""] * 42
    for day in range(1, days + 1):
        expected[start + day - 1] = str(day)
    if start % 7 != column or start > 7 or texts != expected:
        raise Failure(f"{year}-{month:02}: the cells read {texts}")


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[3], sys.argv[2]))
    arguments = sys.argv[1:]
    part = "--browser" if arguments[:1] == ["--browser"] else "--calendar"
    arguments = arguments[1:] if part == "--browser" else arguments
    if len(arguments) != 1:
        print(__doc__)
        sys.exit(2)
    sys.exit(outer(arguments[0], part))
