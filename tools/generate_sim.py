#!/usr/bin/env python3
"""Generate a flight simulator installation folder for demos, tests and benchmarks.

The tree looks like an FS98/FS2000/FS2002/CFS2 main folder after years of add-ons:
an Aircraft folder of add-on aircraft (aircraft.cfg with one to several [fltsim.N]
sections, model/panel/sound/texture folders, .air files, checklists, read-mes) and a
Gauges folder whose .gau/.cab/.zip files are partly named by the panels and partly
left over from aircraft removed long ago. A few oddities that real collections carry
are always present: hidden folders, upper-case names, an aircraft nested inside
another, alias panels, a title with a Windows-1252 accented letter, files saved with
LF line ends.

The textures preset (or --texture-files MIN-MAX) fills each texture folder with MIN to MAX
files, as repainted aircraft have them; the rest of the tree is what it would be without.

Every aircraft is generated from its own random stream, seeded by the seed and its
index, so the same seed and sizes give the same tree byte for byte, and a larger
tree holds the smaller tree's aircraft unchanged.

Usage:
    generate_sim.py OUT [--preset small|large|double|textures] [--aircraft N] [--gauges N]
                    [--seed S] [--gauge-lines N] [--texture-files MIN-MAX] [--version 1-4] [--force]
                    [--settings-in DIR [--wine-path]] [--plant-findings]

--plant-findings adds a few aircraft that the collection check reports (quorvane-cli check): a
model folder gone, a flight model gone, a repaint whose texture folder is gone, a panel alias
to nowhere, a panel naming a gauge that is nowhere, a title used twice, an unused texture
folder and a folder of a paint kit without aircraft.
"""

from __future__ import annotations

import argparse
import os
import random
import shutil
import sys
from dataclasses import dataclass, field

PRESETS = {
    "small": {"aircraft": 100, "gauges": 600},
    "large": {"aircraft": 5000, "gauges": 20000},
    "double": {"aircraft": 10000, "gauges": 40000},
    # Many files per aircraft folder: the folder walk lists far more entries than it reads.
    "textures": {"aircraft": 600, "gauges": 2400, "texture_files": (50, 200)},
}

SIM_EXE = {1: "FS98.exe", 2: "FS2000.exe", 3: "FS2002.exe", 4: "CFS2.exe"}

# (maker, model, short name used for file names, atc_type, atc_model, engine kind)
TYPES = [
    ("Cessna", "172R Skyhawk", "C172R", "CESSNA", "C172", "piston"),
    ("Cessna", "182S Skylane", "C182S", "CESSNA", "C182", "piston"),
    ("Cessna", "208B Grand Caravan", "C208B", "CESSNA", "C208", "turboprop"),
    ("Beechcraft", "Baron 58", "Baron58", "BEECH", "BE58", "piston"),
    ("Beechcraft", "King Air 350", "KingAir350", "BEECH", "B350", "turboprop"),
    ("Piper", "PA-28-161 Warrior", "PA28_161", "PIPER", "P28A", "piston"),
    ("Piper", "J-3 Cub", "J3Cub", "PIPER", "J3", "piston"),
    ("Mooney", "M20M Bravo", "MooneyBravo", "MOONEY", "M20P", "piston"),
    ("Learjet", "45", "Lear45", "LEARJET", "LJ45", "jet"),
    ("Boeing", "737-400", "B737_400", "BOEING", "B734", "jet"),
    ("Boeing", "747-400", "B747_400", "BOEING", "B744", "jet"),
    ("Boeing", "777-300", "B777_300", "BOEING", "B773", "jet"),
    ("Airbus", "A320-200", "A320", "AIRBUS", "A320", "jet"),
    ("Douglas", "DC-3", "DC3", "DOUGLAS", "DC3", "piston"),
    ("de Havilland", "DHC-6 Twin Otter", "DHC6", "DEHAVILLAND", "DHC6", "turboprop"),
    ("de Havilland", "DHC-8-100 Dash 8", "Dash8", "DEHAVILLAND", "DH8A", "turboprop"),
    ("Fokker", "F27 Friendship", "F27", "FOKKER", "F27", "turboprop"),
    ("Extra", "300S", "Extra300", "EXTRA", "E300", "piston"),
    ("Bell", "206B JetRanger III", "Bell206B", "BELL", "B06", "turboshaft"),
    ("Schweizer", "SGS 2-32", "SGS232", "SCHWEIZER", "S32", "glider"),
    ("Sopwith", "Camel", "Camel", "SOPWITH", "CAML", "piston"),
    ("Supermarine", "Spitfire Mk IX", "SpitfireIX", "SUPERMARINE", "SPIT", "piston"),
    ("North American", "P-51D Mustang", "P51D", "NORTH AMERICAN", "P51", "piston"),
    ("Lockheed", "L-1049 Super Constellation", "Connie", "LOCKHEED", "CONI", "piston"),
    ("McDonnell Douglas", "MD-83", "MD83", "MCDONNELL DOUGLAS", "MD83", "jet"),
    ("Embraer", "EMB-120 Brasilia", "EMB120", "EMBRAER", "E120", "turboprop"),
]

AUTHORS = ["", "", "FSD_", "AFG_", "PSS_", "VFS_", "DF_", "Freeware_", "Classic_", "RWP_"]

LIVERIES = [
    ("House", "house"), ("Blue Stripe", "blue"), ("Red Tail", "red"), ("Silver", "silver"),
    ("Air Canada", "aca"), ("Lufthansa", "dlh"), ("KLM", "klm"), ("United", "ual"),
    ("Delta", "dal"), ("Qantas", "qfa"), ("Iberia", "ibe"), ("Alitalia", "aza"),
    ("Southwest", "swa"), ("Olympic", "oal"), ("Aer Lingus", "ein"), ("Swissair", "swr"),
    ("US Navy", "usn"), ("RAF", "raf"), ("Civil Air Patrol", "cap"), ("Float Plane", "float"),
    ("Ski Plane", "ski"), ("Bush", "bush"), ("Classic 1970s", "c70"), ("Cargo", "cargo"),
]

# Gauge files of the simulators' default aircraft and the freeware packs many add-ons use.
COMMON_GAUGES = [
    "Cessna", "Cessna172", "Cessna182s", "Cessna208", "Beech_Baron", "Beech_King_Air",
    "Bendix_King_Radio", "Learjet_45", "737-400", "747-400", "Boeing777", "Mooney_Bravo",
    "Sopwith_Camel", "Schweizer", "Bell_206B", "Extra_300", "gps_500", "Magnetic_Compass",
    "SimIcons", "Flight_Director", "Concorde", "DC3", "FSD_Common", "KMA26_Audio",
    "KX155_NavCom", "KT76_Xpdr", "KR87_ADF", "KAP140_Autopilot", "GNS430_Lite", "dsd_sound",
    "Lago_Panel", "EDO_Floats", "fs2000_radios", "Jet_Engine_Pack", "Turboprop_Pack",
    "Piston_Pack", "Warbird_Common", "Glider_Vario", "Heli_Common", "Airliner_EFIS",
    "Airliner_EICAS", "Annunciator_Pack", "Fuel_Management", "Nav_Tools", "Weather_Radar",
    "TCAS_II", "Clock_Pack", "Hobbs_Meter", "Yoke_Toggle", "Panel_Lights",
]
# Spelled in capitals on disk: the panels name them in mixed case.
UPPER_CASE_GAUGES = {"Bendix_King_Radio", "Magnetic_Compass", "Cessna172"}

SUBGAUGES = [
    "Airspeed", "Altimeter", "Attitude", "Heading", "Vertical_Speed", "Turn_Coordinator",
    "Tachometer", "Manifold_Pressure", "Fuel_Quantity", "Oil_Temp_Press", "Clock", "Suction",
    "Flaps", "Gear", "Trim", "ADF", "NAV1", "NAV2", "COM1", "COM2", "DME", "Transponder",
    "Autopilot", "Audio", "Annunciator", "Fuel_Selector", "Master_Switch", "Magnetos",
    "Throttle", "Mixture", "Prop", "Carb_Heat", "EGT", "CHT", "Ammeter", "Avionics_Switch",
    "Lights", "Parking_Brake", "Pitot_Heat", "OBS", "GPS", "N1", "N2", "ITT", "Torque",
]

WINDOW_TITLES = [
    ("Main Panel", "MAIN_PANEL"), ("Radio Stack", "RADIO_STACK_PANEL"), ("GPS", "GPS_PANEL"),
    ("Throttle Quadrant", "THROTTLE_PANEL"), ("Overhead", "OVERHEAD_PANEL"),
    ("Annunciator", "ANNUNCIATOR_PANEL"), ("Compass", "COMPASS_PANEL"),
    ("Mini Panel", "MINI_PANEL"), ("Fuel Panel", "FUEL_PANEL"),
]

ORPHAN_PREFIXES = ["old_", "xx_", "tmp_", "pack_", "beta_", "test_", "v1_", "legacy_", ""]

# Parts of an aircraft that a repaint has texture files for (day, night and light maps each).
TEXTURE_PARTS = ["t", "l", "c", "wing_l", "wing_r", "fuse", "tail", "stab", "engine", "prop",
                 "gear", "wheel", "glass", "int", "vc", "pilot", "panel", "decal", "logo", "misc"]
TEXTURE_KINDS = ["", "_lm", "_night"]


@dataclass
class Stats:
    aircraft_folders: int = 0
    sections: int = 0
    panels: int = 0
    gauge_lines: int = 0
    gauge_files: int = 0
    folders: int = 0
    files: int = 0
    config_bytes: int = 0


@dataclass
class Tree:
    out: str
    stats: Stats = field(default_factory=Stats)

    def mkdir(self, rel: str) -> str:
        path = os.path.join(self.out, rel)
        os.mkdir(path)
        self.stats.folders += 1
        return path

    def write(self, rel: str, data: bytes) -> None:
        with open(os.path.join(self.out, rel), "wb") as f:
            f.write(data)
        self.stats.files += 1


def text_bytes(lines: list[str], newline: str = "\r\n") -> bytes:
    """Configuration files are Windows-1252 with CR LF line ends and a final line end."""
    return (newline.join(lines) + newline).encode("cp1252")


def base36(n: int) -> str:
    digits = "0123456789abcdefghijklmnopqrstuvwxyz"
    out = ""
    while True:
        n, r = divmod(n, 36)
        out = digits[r] + out
        if n == 0:
            return out


@dataclass
class Section:
    title: str
    sim: str
    model: str
    panel: str
    sound: str
    texture: str
    checklist: str
    kb_checklists: str
    kb_reference: str
    registration: str
    livery: str


class AircraftMaker:
    """Builds aircraft number `index`: its folder, files and the gauge files it brings."""

    def __init__(self, seed: str, index: int, gauge_lines: int,
                 texture_files: tuple[int, int] | None = None):
        self.index = index
        self.seed = seed
        self.texture_files = texture_files
        self.rng = random.Random(f"quorvane-sim:{seed}:aircraft:{index}")
        self.gauge_lines = gauge_lines
        rng = self.rng
        self.type = rng.choice(TYPES)
        maker, model, short = self.type[0], self.type[1], self.type[2]
        self.short = short
        self.tag = base36(index)
        name = f"{rng.choice(AUTHORS)}{short}_{self.tag}"
        if index % 50 == 13:
            name = name.upper()
        if index % 100 == 1:
            name = f"A\u00e9rospatiale_Caravelle_{self.tag}"
            self.display = ("A\u00e9rospatiale", "Caravelle III")
        else:
            self.display = (maker, model)
        self.folder_name = name
        # Gauge files that came with this aircraft; some never made it to the gauges folder.
        count = rng.randint(2, 4)
        self.own_gauges = [f"{short.lower()}_{self.tag}_{part}"
                           for part in rng.sample(["main", "eng", "elec", "fuel", "ap",
                                                   "radio", "warn", "misc"], count)]
        self.gauge_files: list[str] = []
        for stem in self.own_gauges:
            if rng.random() < 0.92:
                ext = rng.choices([".gau", ".cab", ".zip"], weights=[80, 12, 8])[0]
                self.gauge_files.append(stem + ext)

    # -- aircraft.cfg -------------------------------------------------------------------

    def sections(self) -> list[Section]:
        rng = self.rng
        count = rng.choices([1, 2, 3, 4, 5, 6], weights=[35, 25, 20, 10, 6, 4])[0]
        sim = self.short if rng.random() < 0.8 else f"{self.short}_{self.tag}"
        has_checklist = rng.random() < 0.5
        has_kb = rng.random() < 0.75
        liveries = rng.sample(LIVERIES, count)
        result = []
        for k in range(count):
            livery_name, livery_code = liveries[k]
            model = panel = sound = ""
            texture = "" if k == 0 and rng.random() < 0.7 else livery_code
            if k > 0:
                if rng.random() < 0.2:
                    model = rng.choice(["fl", "ski", "cargo", "lr"])
                if rng.random() < 0.05:
                    panel = rng.choice(["ifr", "2d", "vc"])
                if rng.random() < 0.05:
                    sound = rng.choice(["turbo", "radial"])
                if rng.random() < 0.1:
                    texture = result[-1].texture  # a repaint that shares its sibling's texture
            section_sim = sim if rng.random() < 0.95 else f"{sim}_heavy"
            reg = f"N{rng.randint(100, 999)}{rng.choice('ABCDEFGHJKLMNPRSTUVWXYZ')}"
            maker, model_name = self.display
            result.append(Section(
                title=f"{maker} {model_name} {livery_name}",
                sim=section_sim, model=model, panel=panel, sound=sound, texture=texture,
                checklist=f"{self.short}_check" if has_checklist else "",
                kb_checklists=f"{self.short}_check" if has_kb else "",
                kb_reference=f"{self.short}_ref" if has_kb else "",
                registration=reg, livery=livery_name))
        if self.index % 97 == 11 and count > 1:
            result[1].title = result[0].title  # two sections listed under the same title
        if self.index % 89 == 17:
            result[-1].title = ""  # a section the list never shows
        return result

    def fltsim_lines(self, k: int, s: Section, odd_case: bool) -> list[str]:
        rng = self.rng
        keys = {"title": "title", "sim": "sim", "texture": "texture", "panel": "panel"}
        if odd_case:
            keys = {"title": "Title", "sim": "SIM", "texture": "Texture", "panel": "Panel"}
        lines = [f"[fltsim.{k}]", f"{keys['title']}={s.title}", f"{keys['sim']}={s.sim}",
                 f"model={s.model}", f"{keys['panel']}={s.panel}", f"sound={s.sound}",
                 f"{keys['texture']}={s.texture}"]
        if s.checklist:
            lines.append(f"checklist={s.checklist}")
        if s.kb_checklists:
            lines.append(f"kb_checklists={s.kb_checklists}")
            lines.append(f"kb_reference={s.kb_reference}")
        atc_id = s.registration if rng.random() < 0.8 else f"{s.registration}   // tail number"
        lines += [
            f"atc_id={atc_id}",
            f"atc_airline={s.livery.upper() if rng.random() < 0.4 else ''}",
            f"atc_flight_number={rng.randint(1, 9999)}",
            f"ui_manufacturer={self.display[0]}",
            f"ui_type={self.display[1]}",
            f"ui_variation={s.livery}",
            f"description={self.display[0]} {self.display[1]} in {s.livery} colours. "
            f"Repaint and panel by {rng.choice(['J. Smith', 'the FSD team', 'P. Dubois', 'K. Tanaka'])}.",
            "",
        ]
        return lines

    def other_sections(self) -> list[str]:
        rng = self.rng
        kind = self.type[5]
        weight = rng.randint(1500, 800000)
        out = [
            "[General]",
            f"atc_type={self.type[3]}",
            f"atc_model={self.type[4]}",
            "editable=1",
            f"performance=Cruise Speed\\n{rng.randint(90, 480)} kts\\nRange\\n{rng.randint(300, 7000)} nm",
            "",
            "[WEIGHT_AND_BALANCE]",
            f"max_gross_weight = {weight} // (pounds)",
            f"empty_weight = {int(weight * 0.62)} // (pounds)",
            "reference_datum_position = 0.0, 0.0, 0.0 // (feet) distance from FlightSim Reference position",
            f"empty_weight_CG_position = {rng.uniform(-3, 3):.2f}, 0.0, 0.0 // (feet)",
            f"max_number_of_stations = {rng.randint(2, 50)}",
            f"station_load.0 = 170, {rng.uniform(-3, 8):.1f}, -1.0, 0.0 // (pounds, feet) pilot",
            f"station_load.1 = 170, {rng.uniform(-3, 8):.1f}, 1.0, 0.0 // (pounds, feet) copilot",
            f"empty_weight_pitch_MOI = {rng.randint(1000, 9000000)}",
            f"empty_weight_roll_MOI = {rng.randint(1000, 9000000)}",
            f"empty_weight_yaw_MOI = {rng.randint(1000, 9000000)}",
            "empty_weight_coupled_MOI = 0.0",
            "",
            "[flaps.0]",
            "type= 1 // 1 - tail, 2 - lead",
            f"span-outboard= {rng.uniform(0.3, 0.8):.2f} // 0.0 .. 1.0",
            f"extending-time= {rng.randint(4, 30)} // seconds",
            "system_type= 0 // 0=electric, 1=hydraulic, 2=pneumatic, 3=manual, 4=none",
            f"damaging-speed= {rng.randint(100, 250)} // knots",
            f"blowout-speed= {rng.randint(120, 280)} // knots",
            "lift_scalar= 1.0",
            "drag_scalar= 1.0",
            "pitch_scalar= 1.0",
            "flaps-position.0= 0, 0",
            f"flaps-position.1= {rng.choice([5, 10, 15])}, 0",
            f"flaps-position.2= {rng.choice([20, 25, 30, 40])}, 0",
            "",
            "[GeneralEngineData]",
            f"engine_type = {'0' if kind == 'piston' else '1' if kind == 'jet' else '5'} "
            "// 0=Piston, 1=Jet, 2=None, 3=Helo-Turbine, 4=Rocket, 5=Turboprop",
            f"Engine.0 = {rng.uniform(-5, 5):.2f}, {rng.uniform(-8, 8):.2f}, 0.00 // (feet)",
            "fuel_flow_scalar= 1.0",
            "min_throttle_limit= -0.25 // Percent throttle that is the lowest the throttle can go",
            "",
            "[Views]",
            f"eyepoint= {rng.uniform(-5, 40):.2f}, -1.00, {rng.uniform(1, 12):.2f} // (feet)",
            "",
            "[LIGHTS]",
            "// Types: 1=beacon, 2=strobe, 3=navigation, 4=cockpit, 5=landing",
            f"light.0 = 3, {rng.uniform(-20, 0):.2f}, -{rng.uniform(10, 100):.2f}, 2.00, fx_navred ,",
            f"light.1 = 3, {rng.uniform(-20, 0):.2f}, {rng.uniform(10, 100):.2f}, 2.00, fx_navgre ,",
            f"light.2 = 2, {rng.uniform(-20, 0):.2f}, 0.00, 5.00, fx_strobe ,",
            "",
            "[keyboard_response]",
            "//Breakpoint speeds (knots) on the keyboard increments of control surfaces.",
            f"elevator = {rng.randint(100, 300)}, {rng.randint(150, 350)}",
            f"aileron = {rng.randint(100, 300)}, {rng.randint(150, 350)}",
            f"rudder = {rng.randint(100, 300)}, {rng.randint(150, 350)}",
            "",
            "[contact_points]",
            f"point.0 = 1, {rng.uniform(-2, 40):.2f}, 0.00, -{rng.uniform(3, 12):.2f}, 1600, 0, "
            "0.50, 50.0, 0.30, 2.5, 0.70, 3.0, 3.0, 0, 0, 0",
            f"point.1 = 1, -{rng.uniform(2, 20):.2f}, -{rng.uniform(3, 20):.2f}, "
            f"-{rng.uniform(3, 12):.2f}, 1600, 1, 0.50, 0.0, 0.40, 2.5, 0.70, 0, 0, 2, 0, 0",
            f"point.2 = 1, -{rng.uniform(2, 20):.2f}, {rng.uniform(3, 20):.2f}, "
            f"-{rng.uniform(3, 12):.2f}, 1600, 2, 0.50, 0.0, 0.40, 2.5, 0.70, 0, 0, 3, 0, 0",
            "",
            "[Radios]",
            "// Radio Type=availiable, standby frequency, has glide slope",
            "Audio.1=1",
            "Com.1=1, 1",
            "Nav.1=1, 1, 1",
            "Adf.1=1",
            "Transponder.1=1",
            "Marker.1=1",
            "",
            "[electrical]",
            "max_battery_voltage = 24.0",
            "generator_alternator_voltage = 28.0",
            "max_generator_alternator_amps = 60.0",
            "engine_generator_map = 1, 1",
            "avionics_bus = 0, 5, 17.0",
            "",
        ]
        return out

    def aircraft_cfg(self, sections: list[Section]) -> bytes:
        rng = self.rng
        odd_case = rng.random() < 0.1
        fltsim: list[str] = []
        for k, s in enumerate(sections):
            fltsim += self.fltsim_lines(k, s, odd_case)
        others = self.other_sections()
        layout = rng.choices(["fltsim-first", "general-first", "fltsim-last"],
                             weights=[70, 20, 10])[0]
        if layout == "fltsim-first":
            lines = fltsim + others
        elif layout == "general-first":
            lines = others[:6] + fltsim + others[6:]
        else:
            lines = others + fltsim
            lines.pop()  # the aircraft section ends the file
        if rng.random() < 0.05:
            lines = ["", ""] + lines  # leading empty lines, as some editors leave them
        newline = "\n" if self.index % 20 == 9 else "\r\n"
        return text_bytes(lines, newline)

    # -- panel.cfg ----------------------------------------------------------------------

    def gauge_pool(self) -> list[str]:
        rng = self.rng
        return rng.sample(COMMON_GAUGES, rng.randint(3, 8)) + self.own_gauges

    def panel_cfg(self, title: str) -> tuple[bytes, int]:
        rng = self.rng
        pool = self.gauge_pool()
        total = max(8, int(rng.gauss(self.gauge_lines, self.gauge_lines / 4)))
        windows = max(1, min(len(WINDOW_TITLES), (total + 17) // 18))
        per_window = [total // windows + (1 if w < total % windows else 0)
                      for w in range(windows)]
        lines = [
            "// Panel Configuration file",
            f"// {title}",
            f"// Copyright (c) {rng.randint(1998, 2003)} Freeware, not for sale",
            "",
            "[Window Titles]",
        ]
        lines += [f"Window{w:02d}={WINDOW_TITLES[w][0]}" for w in range(windows)]
        lines += ["", "[VIEWS]", "VIEW_FORWARD_WINDOWS=MAIN_PANEL,RADIO_STACK_PANEL", ""]
        for w in range(windows):
            lines += [
                "//--------------------------------------------------------",
                f"[Window{w:02d}]",
                f"file={'panel' if w == 0 else 'window%02d' % w}.bmp",
                "size_mm=1024",
                f"position={rng.randint(0, 8)}",
                f"visible={1 if w == 0 else 0}",
                f"ident={WINDOW_TITLES[w][1]}",
                "",
            ]
            for n in range(per_window[w]):
                key = f"gauge{n:02d}" if rng.random() > 0.02 else f"GAUGE{n:02d}"
                stem = rng.choice(pool)
                x, y = rng.randint(0, 1023), rng.randint(0, 767)
                roll = rng.random()
                if roll < 0.08:
                    value = f"{stem}, {x}, {y}"  # a gauge file of its own, named without "!"
                elif roll < 0.081:
                    value = f"{stem}"  # neither "!" nor ","
                else:
                    value = f"{stem}!{rng.choice(SUBGAUGES)}, {x},{y}"
                    if rng.random() < 0.3:
                        value += f",{rng.randint(20, 300)},{rng.randint(20, 300)}"
                lines.append(f"{key}={value}")
            lines.append("")
        if rng.random() < 0.1:
            lines += ["//gauge99=removed_gauge!Old, 10, 10", ""]
        lines += ["[Default View]", "X=0", "Y=0", "SIZE_X=8192", f"SIZE_Y={rng.randint(3000, 6144)}", ""]
        return text_bytes(lines), total

    def alias_panel_cfg(self) -> bytes:
        target = self.rng.choice(["c172\\panel", "c182s\\panel", "Beech_Baron\\panel",
                                  "b737_400\\panel", "lear45\\panel"])
        lines = ["// Panel borrowed from a default aircraft", "[fltsim]", f"alias={target}", ""]
        return text_bytes(lines)

    # -- the whole aircraft -------------------------------------------------------------

    def build(self, tree: Tree, rel: str) -> None:
        rng = self.rng
        st = tree.stats
        tree.mkdir(rel)
        st.aircraft_folders += 1
        sections = self.sections()
        st.sections += len(sections)
        cfg_name = "AIRCRAFT.CFG" if self.index % 50 == 7 else "aircraft.cfg"
        cfg_data = self.aircraft_cfg(sections)
        tree.write(os.path.join(rel, cfg_name), cfg_data)
        st.config_bytes += len(cfg_data)

        for sim in dict.fromkeys(s.sim for s in sections):
            tree.write(os.path.join(rel, sim + ".air"), rng.randbytes(rng.randint(200, 900)))
        first = sections[0]
        if first.checklist:
            tree.write(os.path.join(rel, first.checklist + ".cfg"), text_bytes(
                ["[Checklists]", "Before_Start.0=Preflight inspection, complete",
                 "Before_Start.1=Seats and belts, adjusted and locked",
                 "Before_Start.2=Fuel selector, both", ""]))
        if first.kb_checklists:
            tree.write(os.path.join(rel, first.kb_checklists + ".txt"), text_bytes(
                ["Before starting engine", "  Preflight inspection ..... complete",
                 "  Brakes ..... test and set", ""]))
            tree.write(os.path.join(rel, first.kb_reference + ".txt"), text_bytes(
                [f"{first.title} reference", f"Cruise speed: {rng.randint(90, 480)} kts",
                 f"Service ceiling: {rng.randint(8000, 45000)} ft", ""]))
        readme = "ReadMe.TXT" if rng.random() < 0.2 else "readme.txt"
        tree.write(os.path.join(rel, readme), text_bytes(
            [f"{self.display[0]} {self.display[1]} for Flight Simulator",
             "Unzip into your Aircraft folder. Copy the gauges into the Gauges folder.",
             "Freeware. Do not upload to pay sites.", ""]))

        for model in dict.fromkeys(s.model for s in sections):
            folder = tree.mkdir(os.path.join(rel, "model" + (f".{model}" if model else "")))
            tree.write(os.path.join(folder, f"{self.short}.mdl"),
                       b"RIFF" + rng.randbytes(rng.randint(800, 3000)))
            tree.write(os.path.join(folder, "model.cfg"), text_bytes(
                ["[models]", f"normal={self.short}", ""]))

        # Some aircraft come without a panel of their own (AI traffic, payware leftovers).
        panels = [] if rng.random() < 0.05 else list(dict.fromkeys(s.panel for s in sections))
        for p, panel in enumerate(panels):
            name = "panel" + (f".{panel}" if panel else "")
            if self.index % 50 == 23 and p == 0:
                name = name.upper()
            folder = tree.mkdir(os.path.join(rel, name))
            if rng.random() < 0.08:
                data = self.alias_panel_cfg()
            else:
                data, lines = self.panel_cfg(first.title)
                st.gauge_lines += lines
                tree.write(os.path.join(folder, "panel.bmp"),
                           b"BM" + rng.randbytes(rng.randint(200, 600)))
            tree.write(os.path.join(folder, "panel.cfg"), data)
            st.panels += 1
            st.config_bytes += len(data)

        for sound in dict.fromkeys(s.sound for s in sections):
            folder = tree.mkdir(os.path.join(rel, "sound" + (f".{sound}" if sound else "")))
            tree.write(os.path.join(folder, "sound.cfg"), text_bytes(
                ["[FLTSIM]", "Version=2.000", "[ENGINE_GENERIC]", "filename=eng1", ""]))
            tree.write(os.path.join(folder, "eng1.wav"),
                       b"RIFF" + rng.randbytes(rng.randint(200, 800)))

        textures = list(dict.fromkeys(s.texture for s in sections))
        # Liveries once installed and since dropped from aircraft.cfg.
        used = set(textures)
        extra = [code for _, code in LIVERIES if code not in used]
        textures += rng.sample(extra, rng.choice([0, 1, 1, 2]))
        for texture in textures:
            folder = tree.mkdir(os.path.join(rel, "texture" + (f".{texture}" if texture else "")))
            count = rng.randint(2, 3)
            for t in range(count):
                tree.write(os.path.join(folder, f"{self.short}_t{t}.bmp"),
                           b"BM" + rng.randbytes(rng.randint(100, 400)))
            if self.texture_files:
                self.fill_texture_folder(tree, folder, texture, count)
        if rng.random() < 0.4:
            folder = tree.mkdir(os.path.join(rel, "Documentation"))
            tree.write(os.path.join(folder, "manual.txt"), text_bytes(["Flight manual", ""]))
        if self.index % 100 == 5:
            # A backup someone hid: never listed, never read.
            folder = tree.mkdir(os.path.join(rel, ".backup"))
            tree.write(os.path.join(folder, "aircraft.cfg"), cfg_data)


    def fill_texture_folder(self, tree: Tree, folder: str, texture: str, present: int) -> None:
        """Adds files until the folder holds MIN to MAX of them. A stream of its own keeps the
        rest of the aircraft as it is without the option."""
        rng = random.Random(f"quorvane-sim:{self.seed}:textures:{self.index}:{texture}")
        low, high = self.texture_files
        names = [f"{self.short.lower()}_{part}{kind}" for kind in TEXTURE_KINDS
                 for part in TEXTURE_PARTS]
        for n in range(max(0, rng.randint(low, high) - present)):
            stem = names[n % len(names)] + (f"_{n // len(names)}" if n >= len(names) else "")
            ext = ".bmp" if rng.random() < 0.9 else ".dds"
            tree.write(os.path.join(folder, stem + ext), b"BM" + rng.randbytes(rng.randint(100, 400)))


def nested_parent(index: int) -> int | None:
    """Every fortieth aircraft lives inside the folder of the aircraft before it."""
    return index - 1 if index % 40 == 4 else None


def generate(out: str, aircraft: int, gauges: int, seed: str, gauge_lines: int,
             version: int, texture_files: tuple[int, int] | None = None) -> Stats:
    tree = Tree(out)
    os.mkdir(out)
    tree.stats.folders += 1
    tree.write(SIM_EXE[version], b"MZ" + bytes(62) + b"placeholder for the simulator executable")
    tree.mkdir("Aircraft")
    folder_of: dict[int, str] = {}
    gauge_files: list[str] = []
    for i in range(aircraft):
        maker = AircraftMaker(seed, i, gauge_lines, texture_files)
        parent = nested_parent(i)
        rel = os.path.join(folder_of[parent] if parent is not None else "Aircraft",
                           maker.folder_name)
        folder_of[i] = rel
        maker.build(tree, rel)
        gauge_files += maker.gauge_files

    # A hidden folder at the top of the aircraft tree, holding an aircraft that never loads.
    hidden = tree.mkdir(os.path.join("Aircraft", ".trash"))
    tree.write(os.path.join(hidden, "aircraft.cfg"), text_bytes(
        ["[fltsim.0]", "title=Hidden Trash Plane", "sim=trash", ""]))

    write_gauges(tree, seed, gauges, gauge_files)
    return tree.stats


def write_gauges(tree: Tree, seed: str, count: int, own_files: list[str]) -> None:
    rng = random.Random(f"quorvane-sim:{seed}:gauges")
    gauges = tree.mkdir("Gauges")
    names = []
    for stem in COMMON_GAUGES:
        name = stem + (".cab" if stem in ("gps_500", "Airliner_EFIS") else ".gau")
        names.append(name.upper() if stem in UPPER_CASE_GAUGES else name)
    names.append("ssna.gau")  # kept: its stem ends "Cessna!" in the panels
    names += own_files
    others = ["readme.txt", "GaugeHelper.dll"]
    room = count - len(others)
    names = names[:max(0, room)]
    j = 0
    while len(names) < room:
        # Left behind by aircraft removed long ago: no panel names them.
        ext = rng.choices([".gau", ".cab", ".zip", ".GAU"], weights=[75, 10, 10, 5])[0]
        names.append(f"{rng.choice(ORPHAN_PREFIXES)}gauge_{j:05d}{ext}")
        j += 1
    for name in names + others:
        tree.write(os.path.join(gauges, name), rng.randbytes(rng.randint(64, 256)))
    tree.stats.gauge_files += len(names)
    backup = tree.mkdir(os.path.join("Gauges", "Backup"))
    tree.write(os.path.join(backup, "old_cessna.gau"), rng.randbytes(64))
    tree.write(os.path.join(gauges, ".hidden_gauge.gau"), rng.randbytes(64))


def write_settings(base: str, main_dir_text: str, version: int) -> None:
    os.makedirs(base, exist_ok=True)
    with open(os.path.join(base, "quorva_set.cfg"), "wb") as f:
        f.write(main_dir_text.encode("cp1252") + b"\r\n" + str(version).encode("ascii"))


def wine_path(path: str) -> str:
    """The path as a Windows program under Wine sees it through drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def parse_args(argv: list[str]) -> argparse.Namespace:
    p = argparse.ArgumentParser(description="Generate a flight simulator installation folder.")
    p.add_argument("out", help="folder to create (the simulator's main folder)")
    p.add_argument("--preset", choices=sorted(PRESETS), help="sizes of a standard tree")
    p.add_argument("--aircraft", type=int, help="number of aircraft folders")
    p.add_argument("--gauges", type=int, help="number of files in the Gauges folder")
    p.add_argument("--gauge-lines", type=int, default=80, help="average gauge lines per panel")
    p.add_argument("--texture-files", metavar="MIN-MAX",
                   help="fill each texture folder with MIN to MAX files")
    p.add_argument("--seed", default="1", help="seed; the same seed gives the same tree")
    p.add_argument("--version", type=int, default=3, choices=[1, 2, 3, 4],
                   help="simulator version written to the settings file (1-4)")
    p.add_argument("--force", action="store_true", help="replace OUT when it exists")
    p.add_argument("--settings-in", metavar="DIR",
                   help="also write quorva_set.cfg naming OUT into DIR")
    p.add_argument("--wine-path", action="store_true",
                   help="write the main folder into the settings file as Wine's Z: path")
    p.add_argument("--quiet", action="store_true")
    p.add_argument("--plant-findings", action="store_true",
                   help="add aircraft with one case of every finding of the collection check")
    args = p.parse_args(argv)
    preset = PRESETS[args.preset] if args.preset else PRESETS["small"]
    if args.aircraft is None:
        args.aircraft = preset["aircraft"]
    if args.gauges is None:
        args.gauges = preset["gauges"]
    if args.texture_files is None:
        args.texture_files = preset.get("texture_files")
    else:
        try:
            low, high = (int(n) for n in args.texture_files.split("-"))
        except ValueError:
            p.error("--texture-files takes MIN-MAX, such as 50-200")
        if not 0 <= low <= high:
            p.error("--texture-files needs 0 <= MIN <= MAX")
        args.texture_files = (low, high)
    if args.aircraft < 0 or args.gauges < 0 or args.gauge_lines < 1:
        p.error("sizes must not be negative")
    return args


def plant_findings(out: str) -> None:
    """One case of every finding of the collection check, in folders of their own."""
    aircraft = os.path.join(out, "Aircraft")

    def write(rel: str, lines: list[str]) -> None:
        path = os.path.join(aircraft, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(text_bytes(lines))

    write("Broken_Cub/aircraft.cfg",
          ["[fltsim.0]", "title=Piper Cub (model gone)", "sim=cub", "model=float", "panel=",
           "[fltsim.1]", "title=Piper Cub (repaint gone)", "sim=cub", "texture=yellow", "",
           "[fltsim.2]", "title=Piper Cub (no flight model)", "sim=cub_old", "texture="])
    write("Broken_Cub/cub.air", ["air"])
    write("Broken_Cub/model/cub.mdl", ["mdl"])
    write("Broken_Cub/texture/cub_t.bmp", ["bmp"])
    write("Broken_Cub/texture.red/cub_t.bmp", ["a repaint no section names any more"] * 200)
    write("Broken_Cub/panel/panel.cfg",
          ["[Window00]", "gauge00=Cub_Gauges!Airspeed, 10,10", "gauge01=Lost_Gauges!Clock, 20,20"])
    os.makedirs(os.path.join(out, "Gauges"), exist_ok=True)
    with open(os.path.join(out, "Gauges", "Cub_Gauges.gau"), "wb") as f:
        f.write(b"gau")
    write("Alias_Twin/aircraft.cfg",
          ["[fltsim.0]", "title=Beech Twin (panel alias gone)", "sim=twin", "panel=",
           "[fltsim.1]", "title=PIPER CUB (MODEL GONE) ", "sim=twin"])
    write("Alias_Twin/twin.air", ["air"])
    write("Alias_Twin/model/twin.mdl", ["mdl"])
    write("Alias_Twin/panel/panel.cfg", ["[fltsim]", "alias=Retired_Twin\\panel"])
    write("Old Paint Kit/readme.txt", ["A paint kit whose aircraft went long ago."])
    write("Old Paint Kit/Layers/twin_layers.psd", ["psd"] * 500)


def main(argv: list[str]) -> int:
    args = parse_args(argv)
    out = os.path.abspath(args.out)
    if os.path.lexists(out):
        if not args.force:
            print(f"generate_sim: {out} exists (use --force to replace it)", file=sys.stderr)
            return 2
        shutil.rmtree(out)
    stats = generate(out, args.aircraft, args.gauges, str(args.seed), args.gauge_lines,
                     args.version, args.texture_files)
    if args.plant_findings:
        plant_findings(out)
    if args.settings_in:
        text = wine_path(out) if args.wine_path else out
        write_settings(args.settings_in, text, args.version)
    if not args.quiet:
        print(f"{out}: {stats.aircraft_folders} aircraft folders, {stats.sections} sections, "
              f"{stats.panels} panels, {stats.gauge_lines} gauge lines, "
              f"{stats.gauge_files} gauge files, {stats.folders} folders, {stats.files} files, "
              f"{stats.config_bytes} bytes of aircraft.cfg and panel.cfg")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
