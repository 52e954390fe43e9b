#!/usr/bin/env bash
# The Debian packages as a Debian user meets them: lintian finds nothing to
# warn of, each package holds what it must and depends on what it loads, the
# three install into an empty system, the menu entry starts the program, the
# manual page reads, and removing and purging them leaves nothing behind.
# Usage: tests/packages/check-packages.sh FOLDER   (the folder debian/rules built them into)
set -uo pipefail

dir=$(realpath "${1:?the folder the packages were built into}")
source_dir=$(realpath "$(dirname "$0")/../..")
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null)
packages=(libvellbatchrule1 vell-batchrule libvellbatchrule-dev)
debs=()
for package in "${packages[@]}"; do debs+=("$dir/${package}_${version}_${arch}.deb"); done
deb_of() { echo "$dir/${1}_${version}_${arch}.deb"; }
for deb in "${debs[@]}"; do
    [[ -f $deb ]] || { echo "no package $deb: build them with make package" >&2; exit 1; }
done

scratch=$(mktemp -d)
# The process groups the launcher checks started, one a line: each check runs in
# a subshell of its own, so the list is a file the exit trap can read.
launched=$scratch/launched
trap 'end_launched; rm -rf "$scratch"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
root=$scratch/root
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(fakeroot)
passed=0 failed=0

# Runs one check; its output is shown when it fails.
check() {
    local name=$1 output
    shift
    if output=$("$@" 2>&1); then
        passed=$((passed + 1))
        echo "ok: $name"
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
        printf '%s\n' "$output" | sed 's/^/    /'
    fi
}

fail() { echo "$*"; return 1; }

lintian_finds_no_error_or_warning() {
    lintian -I -E --pedantic --fail-on error,warning "${debs[@]}"
}

# Every path in the package as `dpkg-deb -c` lists it, without the leading dot.
contents() { dpkg-deb -c "$(deb_of "$1")" | awk '{ print $NF }' | sed 's|^\.||; s|/$||'; }

holds() {
    local package=$1 path listed
    shift
    listed=$(contents "$package") || return 1
    for path in "$@" "/usr/share/doc/$package/copyright" "/usr/share/doc/$package/changelog.Debian.gz"; do
        grep -qxF "$path" <<<"$listed" || fail "$package lacks $path"
    done
}

each_package_holds_its_files() {
    local lib=/usr/lib/$multiarch
    holds libvellbatchrule1 "$lib/libvellbatchrule.so.1" "$lib/libvellbatchrule.so.1.0.0" \
        /usr/share/vellbatchrule/translations/vellbatchrule_en.qm \
        /usr/share/vellbatchrule/translations/vellbatchrule_cht.qm \
        /usr/share/vellbatchrule/help/chs/ICBatchCodeRule.html &&
    holds vell-batchrule /usr/bin/vell-batchrule /usr/share/applications/vell-batchrule.desktop \
        /usr/share/icons/hicolor/scalable/apps/vell-batchrule.svg /usr/share/man/man1/vell-batchrule.1.gz \
        /usr/share/bash-completion/completions/vell-batchrule &&
    holds libvellbatchrule-dev "$lib/libvellbatchrule.so" /usr/include/vellbatchrule/BatRuleFace.h \
        /usr/include/vellbatchrule/vbr.h /usr/include/vellbatchrule/Version.h \
        "$lib/cmake/VellBatchRule/VellBatchRuleConfig.cmake" "$lib/pkgconfig/vellbatchrule.pc" \
        /usr/share/doc/libvellbatchrule-dev/hosting.md /usr/share/doc/libvellbatchrule-dev/examples/outside_host.c
}

no_file_is_in_two_packages_or_outside_usr() {
    local package outside twice
    outside=$(for package in "${packages[@]}"; do contents "$package"; done | grep -vxE '(/usr(/.*)?)?')
    [[ -z $outside ]] || fail "outside /usr: $outside"
    twice=$(for package in "${packages[@]}"; do dpkg-deb -c "$(deb_of "$package")" | grep -v '^d' | awk '{ print $6 }'; done |
        sort | uniq -d)
    [[ -z $twice ]] || fail "in two packages: $twice"
}

field_has() {
    local package=$1 field=$2 value text
    shift 2
    text=$(dpkg-deb -f "$(deb_of "$package")" "$field")
    for value in "$@"; do
        grep -qE "(^|, )$value( |,|$)" <<<"$text" || fail "$package $field lacks $value: $text"
    done
}

depends_name_what_is_loaded_at_run_time() {
    field_has libvellbatchrule1 Depends libqt6sql6-odbc qt6-qpa-plugins libqt6widgets6 libsqlite3-0 &&
    field_has libvellbatchrule1 Recommends fonts-noto-cjk &&
    field_has libvellbatchrule1 Suggests tdsodbc &&
    field_has vell-batchrule Depends libvellbatchrule1 libqt6sql6-sqlite &&
    field_has libvellbatchrule-dev Depends libvellbatchrule1 qt6-base-dev
}

dpkg_in_root() { "${as_root[@]}" dpkg --root="$root" --log="$scratch/dpkg.log" "$@"; }

all_three_install_into_an_empty_system() {
    mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
    touch "$root/var/lib/dpkg/status"
    # The scratch system has no Qt: the dependencies are the real system's.
    dpkg_in_root --force-depends -i "${debs[@]}" &&
    [[ -x $root/usr/bin/vell-batchrule ]] || fail "no program after dpkg -i"
}

binaries_are_stripped_hardened_and_without_runpath() {
    local binary dynamic
    for binary in "$root/usr/bin/vell-batchrule" "$root/usr/lib/$multiarch/libvellbatchrule.so.1.0.0"; do
        file "$binary" | grep -q ', stripped' || fail "not stripped: $binary"
        dynamic=$(readelf -d "$binary")
        ! grep -qE 'RPATH|RUNPATH' <<<"$dynamic" || fail "a search path in $binary"
        grep -qE 'BIND_NOW|FLAGS.*NOW' <<<"$dynamic" || fail "not bound now: $binary"
        readelf -lW "$binary" | grep -q GNU_RELRO || fail "no RELRO: $binary"
    done
}

# The program as the installed system starts it, in a new user's home.
new_home=(env -i PATH="$root/usr/bin:/usr/bin:/bin" HOME="$scratch/home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
    LD_LIBRARY_PATH="$root/usr/lib/$multiarch")
in_new_home() { "${new_home[@]}" "$@"; }

# Ends a process group the checks started, everything it forked included:
# asked first, then forced when it has not gone within five seconds.
end_group() {
    local group=$1
    kill -TERM -- "-$group" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 -- "-$group" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL -- "-$group" 2>/dev/null
    return 0
}

end_launched() {
    local group
    [[ -f $launched ]] || return 0
    while read -r group; do end_group "$group"; done <"$launched"
}

# Starts the desktop entry's command line with %f as the menu (nothing) or a
# file manager (a file) fills it in; ends it once the main window has shown,
# which the window says by remembering its database. The program runs as the
# leader of a process group of its own (setsid execs it in place, so $! is its
# pid), and the whole group is ended on every path out.
launch() {
    local file=$1 exec conf=$scratch/home/.config/vell-batchrule/vell-batchrule.conf pid
    exec=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/vell-batchrule.desktop")
    rm -f "$conf"
    # shellcheck disable=SC2086  # the Exec line is split into words as a launcher splits it
    setsid "${new_home[@]}" ${exec/\%f/$file} >"$scratch/launch.out" 2>&1 &
    pid=$!
    echo "$pid" >>"$launched"
    for _ in $(seq 600); do
        grep -q '^lastDatabase=' "$conf" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    local ended=no status
    kill -0 "$pid" 2>/dev/null || ended=yes
    end_group "$pid"
    wait "$pid" 2>/dev/null
    status=$?
    sed -i "/^$pid\$/d" "$launched"
    [[ $ended == no ]] || { fail "the program ended (exit $status) before its window showed: $(cat "$scratch/launch.out")"; return; }
    grep -qxF "lastDatabase=${file:-$scratch/home/.local/share/vell-batchrule/demo.sqlite}" "$conf" ||
        fail "the window opened on another database: $(cat "$conf")"
}

the_menu_entry_starts_the_program_on_the_users_demo_and_on_a_file() {
    launch "" &&
    [[ -s $scratch/home/.local/share/vell-batchrule/demo.sqlite ]] || fail "no demo database in the user's data folder"
    in_new_home vell-batchrule demo-db --out "$scratch/given.sqlite" >/dev/null &&
    launch "$scratch/given.sqlite"
}

the_manual_page_reads() {
    local page=$root/usr/share/man/man1/vell-batchrule.1.gz text warnings
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man warns: $warnings"
    text=$(MANPATH="$root/usr/share/man" LC_ALL=C.UTF-8 MANWIDTH=80 man -P cat vell-batchrule 2>&1) || fail "$text"
    for heading in SYNOPSIS COMMANDS OPTIONS "EXIT STATUS" ENVIRONMENT FILES; do
        grep -q "^$heading" <<<"$text" || fail "no $heading in the manual page"
    done
}

removal_then_purge_leaves_nothing_behind() {
    dpkg_in_root -r "${packages[@]}" &&
    dpkg_in_root -P "${packages[@]}" || return 1
    local left
    left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' -not -path './var/lib/dpkg*')
    [[ -z $left ]] || fail "left behind: $left"
    left=$(ls "$root/var/lib/dpkg/info")
    [[ -z $left ]] || fail "left in dpkg's records: $left"
    ! grep -q '^Package:' "$root/var/lib/dpkg/status" || fail "still in dpkg's status: $(grep '^Package:' "$root/var/lib/dpkg/status")"
}

echo "lintian -I -E --pedantic:"
lintian -I -E --pedantic "${debs[@]}" | sed 's/^/    /'
check "lintian finds no error or warning" lintian_finds_no_error_or_warning
check "each package holds its files" each_package_holds_its_files
check "no file is in two packages or outside /usr" no_file_is_in_two_packages_or_outside_usr
check "Depends, Recommends and Suggests name what is loaded at run time" depends_name_what_is_loaded_at_run_time
check "all three install into an empty system" all_three_install_into_an_empty_system
check "binaries are stripped, hardened and without RUNPATH" binaries_are_stripped_hardened_and_without_runpath
check "the menu entry starts the program on the user's demo, and on a file" \
    the_menu_entry_starts_the_program_on_the_users_demo_and_on_a_file
check "the manual page reads" the_manual_page_reads
check "removal, then purge, leaves nothing behind" removal_then_purge_leaves_nothing_behind
echo "packages: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
