#!/usr/bin/env bash
# Includes run one way: app -> ui -> core.
#   core: every file under src/ outside app/, cli/ and any ui/ folder. It may
#         include neither a Qt Widgets header nor anything from app/ or a ui/ folder.
#   ui:   src/ui/ and the ui/ folder of each subsystem. It may not include app/.
# The core libraries must not link Qt Widgets either, and zelvik_base not even
# Qt Gui.
# Prints every offending line and exits 1 when there is one.
set -u
src="${1:-$(dirname "$0")/../src}"
cd "$src" || exit 2

widget_headers='QtWidgets/|Q(Widget|Dialog|MainWindow|LineEdit|PushButton|Label|ListWidget|CheckBox|RadioButton|MessageBox|FileDialog|FontDialog|ComboBox|TabWidget|GroupBox|StatusBar|MenuBar|Menu|ToolButton|SpinBox|ListView|Application|AbstractButton|Frame|LayoutItem|Layout|BoxLayout|GridLayout|StackedWidget|ScrollArea|Splitter|TextEdit|PlainTextEdit|Action|Shortcut|ToolBar|Style|ButtonGroup|ProgressBar|AbstractItemView|HeaderView|TableWidget|TreeWidget|InputDialog|ColorDialog|Completer|Scroller|SizePolicy|SystemTrayIcon|UndoView|WidgetAction)\b'
ui_or_app='"(app/|ui/|[A-Za-z0-9_]+/ui/)'

failed=0
is_ui() { [[ "$1" == ui/* || "$1" == */ui/* ]]; }
is_core() { [[ "$1" != app/* && "$1" != cli/* ]] && ! is_ui "$1"; }

while IFS= read -r file; do
    if is_core "$file"; then
        hits=$(grep -n -E "#\s*include\s*(<($widget_headers)|$ui_or_app)" "$file")
        if [ -n "$hits" ]; then
            printf 'core file reaches into widgets: %s\n%s\n' "$file" "$hits"
            failed=1
        fi
    elif is_ui "$file"; then
        hits=$(grep -n -E '#\s*include\s*"app/' "$file")
        if [ -n "$hits" ]; then
            printf 'widget file includes app/: %s\n%s\n' "$file" "$hits"
            failed=1
        fi
    fi
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's#^\./##' | sort)

# The core targets' link lines: zelvik_base Qt Core alone (zelvik-cli's quick
# start depends on it), zelvik_core Qt Gui too, never Widgets.
links_of() {
    sed -n "/add_library($1 /,/^\$/p;/target_link_libraries($1 /p" CMakeLists.txt
}
if grep -q 'Widgets' <<<"$(links_of zelvik_base; links_of zelvik_core)"; then
    echo "the core links Qt Widgets"
    failed=1
fi
if grep -q 'Qt6::Gui\|zelvik_core' <<<"$(links_of zelvik_base)"; then
    echo "zelvik_base links Qt Gui"
    failed=1
fi
# cli/ is a client of the core alone.
if grep -rn -E "#\s*include\s*(<($widget_headers)|$ui_or_app)" cli; then
    echo "zelvik-cli reaches into widgets"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "layers: core -> no widgets, ui -> no app: ok"
exit "$failed"
