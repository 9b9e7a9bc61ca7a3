"""The layer check itself: it must name an upward include, an include
without its folder and an upward link, and pass a tree whose includes point
down."""

import tempfile
import unittest
from pathlib import Path

import check_layers


def tree(files):
    root = Path(tempfile.mkdtemp(prefix="layers-"))
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return root


class CheckLayers(unittest.TestCase):
    def test_includes_that_point_down_pass(self):
        root = tree({
            "app/main_window.cpp": '#include "app/main_window.h"\n#include "host/shortcuts.h"\n',
            "host/shortcuts.h": '#include "generate/text_file.h"\n#include "model/edition_profile.h"\n',
            "platform/win32/view.cpp": '#include <windows.h>\n#include "platform/main_view.h"\n',
            "platform/win32/CMakeLists.txt": "target_link_libraries(x PUBLIC kelvarion_platform)\n",
        })
        self.assertEqual(check_layers.upward_includes(root) + check_layers.upward_links(root), [])

    def test_upward_includes_and_links_are_named(self):
        root = tree({
            "host/config.h": '#include "app/install_context.h"\n',
            "platform/win32/setup.cpp": '\n#include "generate/autoexec.h"\n',
            "generate/text.h": '#include "editions/current_edition.h"\n',
            "model/sas_versions.h": '#include "host/shortcuts.h"\n',
            "platform/text_codec.cpp": '#include "text_codec.h"\n',
            "platform/file_replace.cpp": '#include "platform/win32/file_io_win.h"\n',
            "platform/win32/CMakeLists.txt": "target_link_libraries(x PUBLIC kelvarion_app)\n",
            "app/main_window.cpp": '#include "platform/main_view.h"\n'
                                   '#include "platform/win32/main_window_win.h"\n',
            "editions/setup_program.cpp": '#include "platform/win32/win32_platform.h"\n',
        })
        self.assertEqual(sorted(check_layers.upward_includes(root)), [
            "app/main_window.cpp:2: app/ includes platform/win32/main_window_win.h",
            "generate/text.h:1: generate/ includes editions/current_edition.h",
            "host/config.h:1: host/ includes app/install_context.h",
            "model/sas_versions.h:1: model/ includes host/shortcuts.h",
            "platform/file_replace.cpp:1: platform/ includes platform/win32/file_io_win.h",
            "platform/text_codec.cpp:1: text_codec.h without its folder",
            "platform/win32/setup.cpp:2: platform/ includes generate/autoexec.h",
        ])
        self.assertEqual(check_layers.upward_links(root),
                         ["platform/win32/CMakeLists.txt:1: platform/ links kelvarion_app"])


if __name__ == "__main__":
    unittest.main()
