# Sourced by the acceptance scripts.

# start_virtual_display comes from the tests' shared support.
# shellcheck source=../support/virtual_display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/virtual_display.sh"

# install_build CMAKE BUILD_DIR PREFIX LOG
# cmake --install of the build into PREFIX. The install records what it wrote
# in the build's install_manifest.txt, which a user may keep to uninstall a
# real install: the manifest is put back as it was.
install_build() {
    local cmake_command="$1" build="$2" prefix="$3" log="$4"
    local manifest="$build/install_manifest.txt"
    local saved="$log.manifest"
    local had_manifest=0
    if [ -f "$manifest" ]; then
        cp -p "$manifest" "$saved"
        had_manifest=1
    fi
    local status=0
    "$cmake_command" --install "$build" --prefix "$prefix" >"$log" 2>&1 || status=$?
    if [ "$had_manifest" -eq 1 ]; then
        mv -f "$saved" "$manifest"
    else
        rm -f "$manifest"
    fi
    if [ "$status" -ne 0 ]; then
        cat "$log"
        echo "FAIL: cmake --install into a temporary prefix"
    fi
    return "$status"
}
