"""quorvane-cli's frame: the settings command, the holding folders, options and exit statuses."""
import os

from clitest import CliTest, UNDER_WINE, main, sim_path


class SettingsCommand(CliTest):
    def test_writes_the_exact_bytes_and_makes_the_holding_folders(self):
        # A folder of another machine: written as given, with a warning that it isn't here.
        r = self.run_cli("settings", "D:\\FS2002", "3")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(self.read("quorva_set.cfg"), b"D:\\FS2002\r\n3")
        self.assertTrue(os.path.isdir(self.path("Temp_Path")))
        self.assertTrue(os.path.isdir(self.path("Unused Gauges")))
        self.assertEqual(len(r.events("warning: ")), 1, r.err)
        self.assertIn("D:", r.events("warning: ")[0])
        self.assertEqual(r.lines[-1], "notice: Settings file created successfully!")

    def test_a_simulator_folder_here_is_written_without_a_warning(self):
        os.makedirs(self.path("FS", "aircraft"))
        r = self.run_cli("settings", sim_path(self.path("FS")), "3")
        self.assertEqual(r.lines, ["notice: Settings file created successfully!"])

    def test_an_empty_folder_is_refused_with_the_warning_and_nothing_written(self):
        r = self.run_cli("settings", "", "2")
        self.assertEqual(r.status, 1)
        self.assertEqual(len(r.events("warning: ")), 1)
        self.assertIn("Please try again.", r.err)
        self.assertFalse(self.exists("quorva_set.cfg"))

    def test_a_drive_root_is_trimmed_and_the_version_must_be_one_to_four(self):
        r = self.run_cli("settings", "E:\\", "4")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(self.read("quorva_set.cfg"), b"E:\r\n4")
        for bad in ("0", "5", "x", "12"):
            self.assertEqual(self.run_cli("settings", "C:\\FS", bad).status, 2, bad)
        self.assertEqual(self.read("quorva_set.cfg"), b"E:\r\n4")

    def test_options_may_follow_the_command_and_double_dash_ends_them(self):
        os.makedirs(self.path("work"))
        r = self.run_cli("settings", "--", "-odd name", "1", "-C", sim_path(self.path("work")))
        self.assertEqual(r.status, 2)  # after "--", "-C" is an argument: too many arguments
        r = self.run_cli("settings", "C:\\FS", "1", "-C", sim_path(self.path("work")))
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(self.read("work/quorva_set.cfg"), b"C:\\FS\r\n1")
        r = self.run_cli("-C", sim_path(self.path("work")), "--", "settings", "-dash", "1")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(self.read("work/quorva_set.cfg"), b"-dash\r\n1")

    def test_an_accented_folder_is_stored_in_the_single_byte_code_page(self):
        r = self.run_cli("settings", "C:\\Jeux\\Flight Simulator \u00c9t\u00e9", "3")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(self.read("quorva_set.cfg"), b"C:\\Jeux\\Flight Simulator \xc9t\xe9\r\n3")

    def test_a_folder_with_no_single_byte_form_is_refused(self):
        if UNDER_WINE:
            self.skipTest("Windows hands the program its arguments already in the ANSI code page")
        r = self.run_cli("settings", "C:\\\u98db\u884c", "3")
        self.assertEqual(r.status, 1)
        self.assertEqual(len(r.events("warning: ")), 1)
        self.assertFalse(self.exists("quorva_set.cfg"))


class CommandsNeedingSettings(CliTest):
    def test_fail_with_status_two_without_a_settings_file(self):
        for cmd in (["list"], ["dump"], ["remove", "#0"], ["empty", "temp"]):
            r = self.run_cli(*cmd)
            self.assertEqual(r.status, 2, cmd)
            self.assertIn(sim_path(self.path("quorva_set.cfg")), r.err)

    def test_a_damaged_settings_file_stops_with_an_error_naming_it(self):
        self.write("quorva_set.cfg", b"C:\\FS\r\nthree")
        r = self.run_cli("list")
        self.assertEqual(r.status, 3)
        self.assertEqual(len(r.events("error: ")), 1)
        self.assertIn("quorva_set.cfg", r.events("error: ")[0])

    def test_unknown_commands_and_options_are_usage_errors(self):
        self.assertEqual(self.run_cli("fly").status, 2)
        self.assertEqual(self.run_cli("--frobnicate", "list").status, 2)


if __name__ == "__main__":
    main()
