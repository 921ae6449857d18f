import unittest
from harness import Desktop


class Smoke(unittest.TestCase):
    def test_probe_runs(self):
        d = Desktop("smoke")
        try:
            host = d.start(d.tools_dir / "winprobe.exe", "host", "152", "112", "smoke host")
            self.assertTrue(d.wait_window("smoke host"))
            info = d.window_info("smoke host")
            self.assertEqual(info["window"], (0, 0, 152, 112))
        finally:
            d.close()


if __name__ == "__main__":
    unittest.main()
