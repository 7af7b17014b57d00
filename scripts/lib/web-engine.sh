# Sourced by scripts/test and scripts/demo, from the repository's root: what the web engine needs to
# run here. Without a display the calling script runs again under a virtual one (xvfb-run); where the
# engine's sandbox cannot start (no user namespaces) it runs without it, and says so.
web_engine_environment() {
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 3072x3072x24 -nolisten tcp" "$PWD/scripts/$(basename "$0")" "$@"
  fi
  if ! bwrap --unshare-all --ro-bind / / true >/dev/null 2>&1; then
    echo "web: user namespaces are blocked here, so the web engine runs without its sandbox"
    export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
  fi
}
