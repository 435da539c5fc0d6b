# Sourced by the acceptance scripts.

# start_virtual_display WORK_FOLDER
# Starts Xvfb on a display number of its own choosing (-displayfd picks a free
# one and reports it once the server is ready, so parallel tests never race
# for a display) and exports DISPLAY. Sets xvfb_pid; the caller kills it.
start_virtual_display() {
    local work="$1"
    local display_file="$work/xvfb.display"
    : >"$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$display_file" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$display_file" ]; then
        echo "Xvfb did not start:"
        cat "$work/xvfb.log"
        return 1
    fi
    DISPLAY=":$(head -n 1 "$display_file")"
    export DISPLAY
}

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
