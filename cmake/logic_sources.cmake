# The logic that decides: portable C++, no <windows.h>. One list for the
# program's build, the fuzz targets (fuzz/) and the native benchmarks
# (bench/native/); a new portable source goes here and nowhere else. Paths are
# relative to the repository's root.
get_filename_component(TORVANE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(TORVANE_LOGIC_SOURCES
  src/app/chrome_artwork.cpp
  src/platform/clock_seeded_random.cpp
  src/app/design_values.cpp
  src/app/exclusions_page.cpp
  src/app/form_load.cpp
  src/app/page_navigation.cpp
  src/platform/random_digits.cpp
  src/platform/time_picture.cpp
  src/platform/trim_null.cpp
  src/platform/visible_text.cpp
  src/app/settings_page.cpp
  src/app/start_command.cpp
  src/settings/config_place.cpp
  src/app/window_chrome.cpp
  src/booster/application_processes.cpp
  src/booster/booster.cpp
  src/booster/excluded_programs.cpp
  src/booster/file_name.cpp
  src/booster/upper_case_table.cpp
  src/booster/ledger_text.cpp
  src/booster/priority_ledger.cpp
  src/links/ad_text.cpp
  src/links/http_exchange.cpp
  src/links/news_attempt.cpp
  src/links/news_line.cpp
  src/links/vendor_site.cpp
  src/controls/access_key.cpp
  src/controls/button_region.cpp
  src/controls/colour_scheme.cpp
  src/drawing/colour.cpp
  src/controls/command.cpp
  src/controls/command_input.cpp
  src/controls/command_painter.cpp
  src/controls/command_persistence.cpp
  src/drawing/drawing_primitives.cpp
  src/drawing/gradients.cpp
  src/drawing/raster_canvas.cpp
  src/monitor/cpu_monitor.cpp
  src/monitor/cpu_monitor_properties.cpp
  src/monitor/cpu_monitor_support.cpp
  src/monitor/diagram.cpp
  src/monitor/monitor_value_text.cpp
  src/monitor/format_filesize.cpp
  src/booster/gain_figure.cpp
  src/booster/records.cpp
  src/booster/speed_mode.cpp
  src/booster/switch_settle.cpp
  src/settings/autorun.cpp
  src/tray/tray_menu.cpp
  src/tray/tray_tip.cpp
  src/tray/tray_window_proc.cpp
  src/settings/config_settings.cpp
  src/settings/setting_value.cpp
)

# Adds the static library NAME built from the list above. Compile options
# (sanitizers, fuzzing, optimisation) are the calling project's.
function(torvane_add_logic_library name)
  # vendor_site.cpp includes a header generated from the TORVANE_VENDOR_*
  # settings. The top-level project generates it first; the standalone
  # projects never run vendor code and take the local test site.
  set(generated "${CMAKE_BINARY_DIR}/generated")
  if(NOT EXISTS "${generated}/links/vendor_site_config.h")
    set(TORVANE_VENDOR_HOST "127.0.0.1:18765")
    set(TORVANE_VENDOR_WEB_ADDRESS "http://127.0.0.1:18765/")
    set(TORVANE_VENDOR_AGENT "Torvane/7.2")
    configure_file("${TORVANE_ROOT}/src/links/vendor_site_config.h.in"
                   "${generated}/links/vendor_site_config.h")
  endif()
  list(TRANSFORM TORVANE_LOGIC_SOURCES PREPEND "${TORVANE_ROOT}/" OUTPUT_VARIABLE sources)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${TORVANE_ROOT}/src" "${generated}")
endfunction()
