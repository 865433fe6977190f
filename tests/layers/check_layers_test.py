#!/usr/bin/env python3
"""scripts/check-layers.py against small trees built for each case: it must
fail, naming the file and the chain, where a portable file reaches Windows or
a lower layer includes from app/, and pass what the rules allow."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts', 'check-layers.py')

# A small tree that obeys both rules: portable logic, a win_ seam, a window
# class named for its window, the entry point, and an include of a header
# generated into the build tree (absent here).
CLEAN = {
    'src/main.cpp': '#include <windows.h>\n#include "app/main_window.h"\nint wWinMain() { return 0; }\n',
    'src/app/main_window.h': (
        '#pragma once\n#include <windows.h>\n#include "platform/win_base_window.h"\n'
        '#include "links/ad_text.h"\n'
        'class MainWindow : public BaseWindow<MainWindow> {};\n'),
    'src/app/main_window.cpp': '#include "app/main_window.h"\n#include <shellapi.h>\n',
    'src/app/form_load.h': '#pragma once\n#include <string>\n#include "booster/booster.h"\n',
    'src/app/form_load.cpp': '#include "app/form_load.h"\n',
    'src/platform/win_base_window.h': (
        '#pragma once\n#include <windows.h>\n'
        'template <typename Derived> class BaseWindow {};\n'),
    'src/links/ad_text.h': '#pragma once\n#include <string>\nstd::wstring AdText();\n',
    'src/links/ad_text.cpp': '#include "links/ad_text.h"\n#include "links/vendor_site_config.h"\n',
    'src/links/win_ad_fetch.cpp': '#include <winsock2.h>\n#include "links/ad_text.h"\n',
    'src/booster/booster.h': '#pragma once\n#include <cstdint>\n#include "booster/speed_mode.h"\n',
    'src/booster/speed_mode.h': '#pragma once\n// #include <windows.h> once lived here\nenum class SpeedMode { Off };\n',
    'src/booster/booster.cpp': '#include "booster/booster.h"\nconst char* note = "#include <windows.h>";\n',
}


def run_check(files):
    with tempfile.TemporaryDirectory(prefix='layers-') as root:
        for rel, text in files.items():
            path = os.path.join(root, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
        done = subprocess.run([sys.executable, SCRIPT, '--root', root],
                              capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout + done.stderr


class CheckLayersTest(unittest.TestCase):
    def assert_fails_with(self, files, *expected):
        status, output = run_check(files)
        self.assertEqual(status, 1, output)
        for line in expected:
            self.assertIn(line, output)
        self.assertIn('layers: FAILED', output)
        return output

    def test_clean_tree_passes(self):
        status, output = run_check(CLEAN)
        self.assertEqual(status, 0, output)
        self.assertIn('layers: ok', output)
        self.assertNotIn('violation', output)

    def test_windows_h_in_portable_file_fails_with_its_name(self):
        files = dict(CLEAN)
        files['src/booster/booster.cpp'] = '#include "booster/booster.h"\n#include <windows.h>\n'
        output = self.assert_fails_with(
            files, 'src/booster/booster.cpp -> <windows.h>', 'FAILED, 1 violation ')
        self.assertNotIn('booster.h ->', output)

    def test_other_sdk_header_counts_as_windows(self):
        files = dict(CLEAN)
        files['src/links/ad_text.cpp'] = '#include "links/ad_text.h"\n#  include   <WinInet.h>\n'
        self.assert_fails_with(files, 'src/links/ad_text.cpp -> <WinInet.h>')

    def test_windows_through_project_header_chain_shows_the_chain(self):
        files = dict(CLEAN)
        files['src/booster/speed_mode.h'] = '#pragma once\n#include "platform/handles.h"\n'
        files['src/platform/handles.h'] = '#pragma once\n#include <windows.h>\n'
        output = self.assert_fails_with(
            files,
            'src/booster/booster.cpp -> booster/booster.h -> booster/speed_mode.h -> platform/handles.h -> <windows.h>',
            'src/app/form_load.cpp -> app/form_load.h -> booster/booster.h -> booster/speed_mode.h'
            ' -> platform/handles.h -> <windows.h>',
            'src/platform/handles.h -> <windows.h>')
        # The win_ seam and the window class may still reach it.
        self.assertNotIn('src/main.cpp ->', output)
        self.assertNotIn('src/app/main_window.h ->', output)
        self.assertNotIn('src/links/win_ad_fetch.cpp ->', output)

    def test_win_file_window_class_and_partner_pass(self):
        files = dict(CLEAN)
        files['src/monitor/win_system_source.h'] = '#pragma once\n#include <windows.h>\n'
        files['src/monitor/win_system_source.cpp'] = '#include "monitor/win_system_source.h"\n#include <tlhelp32.h>\n'
        files['src/app/image_view.h'] = (
            '#pragma once\n#include "platform/win_base_window.h"\n'
            'class ImageView final : public Shown, public BaseWindow<ImageView> {};\n')
        # The .cpp partner defines no class of its own: the header's counts.
        files['src/app/image_view.cpp'] = '#include "app/image_view.h"\n#include <commctrl.h>\n'
        status, output = run_check(files)
        self.assertEqual(status, 0, output)

    def test_base_window_class_must_be_the_one_the_file_is_named_for(self):
        files = dict(CLEAN)
        files['src/app/settings_page.h'] = (
            '#pragma once\n#include "platform/win_base_window.h"\n'
            'class Helper : public BaseWindow<Helper> {};\n')
        self.assert_fails_with(
            files, 'src/app/settings_page.h -> platform/win_base_window.h -> <windows.h>')

    def test_commented_out_base_window_does_not_count(self):
        files = dict(CLEAN)
        files['src/app/page_list.h'] = (
            '#pragma once\n#include <windows.h>\n'
            '/* class PageList : public BaseWindow<PageList> {}; */\n')
        self.assert_fails_with(files, 'src/app/page_list.h -> <windows.h>')

    def test_lower_layer_including_app_fails(self):
        files = dict(CLEAN)
        files['src/links/ad_text.cpp'] = '#include "links/ad_text.h"\n#include "app/form_load.h"\n'
        self.assert_fails_with(files, 'links/ includes up into app/', 'src/links/ad_text.cpp -> app/form_load.h',
                               'FAILED, 1 violation ')

    def test_lower_layer_including_missing_app_header_fails(self):
        files = dict(CLEAN)
        files['src/tray/tray_menu.h'] = '#pragma once\n#include "app/control_ids.h"\n'
        self.assert_fails_with(files, 'src/tray/tray_menu.h -> app/control_ids.h')

    def test_app_may_include_lower_layers(self):
        files = dict(CLEAN)
        files['src/app/design_values.h'] = '#pragma once\n#include "links/ad_text.h"\n#include "booster/booster.h"\n'
        status, output = run_check(files)
        self.assertEqual(status, 0, output)


if __name__ == '__main__':
    unittest.main(verbosity=2)
