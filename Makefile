# Two commands do everything on a fresh Debian 12 machine (as root):
#   make check   build both builds and run every test, native and under Wine
#   make run     build and run the saver under Wine (ARGS=/c for the settings dialog,
#                SIZE=WxH for the recorded desktop, 1600x1200 by default;
#                MONITORS=2 for a recording on two monitors side by side)
# While working on one subsystem: make win TARGET=win_images_tests, make wintest TESTS=Image
# BUILD_ROOT lets several working copies or people build side by side.
BUILD_ROOT ?= build
ARGS ?= /s
SIZE ?= 1600x1200
TESTS ?= .
TARGET ?= all
FUZZ_SECONDS ?= 60
JOBS ?= 2

B := $(abspath $(BUILD_ROOT))
NATIVE := $(B)/native
WIN := $(B)/win
THIRD := $(B)/third_party
HARNESS := tools/with-wine-display.sh

.PHONY: check include-check run setup native artwork third-party win wintest wintest-8bit wintest-monitors wintest-scaled wintest-install soak soak-short fuzz bench dist docs clean

check: setup include-check native fuzz win soak-short wintest-8bit wintest wintest-monitors wintest-scaled wintest-install
	@echo "make check: all test stages passed"

# Dependencies point one way: no include cycle between product files or folders.
include-check:
	python3 tools/check-include-cycles.py .

setup:
	@bash tools/setup.sh

native:
	cmake --preset native -B $(NATIVE) >/dev/null
	cmake --build $(NATIVE) -j$(JOBS)
	ctest --test-dir $(NATIVE) -j$(JOBS) --output-on-failure

third-party:
	tools/build-third-party.sh $(THIRD)

win: third-party artwork
	cmake --preset windows -B $(WIN) -DSLIDE_THIRD_PARTY_DIR=$(THIRD) -DSLIDE_ARTWORK_DIR=$(NATIVE)/artwork >/dev/null
	cmake --build $(WIN) -j$(JOBS) --target $(TARGET)

wintest: win
	$(HARNESS) $(WIN) -- ctest --test-dir $(WIN) -j1 --output-on-failure -R '$(TESTS)' --timeout 300

# The palette paths on a 256-colour screen. These tests skip themselves on the true-colour
# screen of wintest, and only they run here.
EIGHT_BIT_TESTS := ^EightBit
wintest-8bit: win
	$(HARNESS) $(WIN) 1024x768x8 -- ctest --test-dir $(WIN) -j1 --output-on-failure -R '$(EIGHT_BIT_TESTS)' --timeout 300

# Two monitors side by side, from an Xephyr with two Xinerama heads and a prefix without a
# virtual desktop: the saver covers both heads and keeps its pictures on the primary one.
wintest-monitors: win
	tools/with-two-monitors.sh $(WIN) -- tests/display/two_monitors.sh $(WIN)/slide.scr $(WIN)/slide_stress.scr

# A desktop of 3200x2400 scaled to 200 %, in a prefix of its own: the pictures and the
# dialog's pictures at twice their size.
wintest-scaled: win
	$(HARNESS) $(B)/scaled 3200x2400 -- tools/with-scale.sh 192 -- tests/display/scaled_desktop.sh $(WIN)

# The release in a prefix of its own: the MSI installs silently and the saver runs from the
# system folder; a signed next version upgrades it in place, the older one is refused, and the
# removal keeps the user's settings. The signatures and the manifests are checked too.
wintest-install: win
	$(HARNESS) $(B)/install -- tests/packaging/install_test.sh $(WIN)/slide.scr $(NATIVE)/artwork/slide.ico

artwork:
	cmake --preset native -B $(NATIVE) >/dev/null
	cmake --build $(NATIVE) -j$(JOBS) --target artwork

# The saver at 1920x1080 with a hold time of 0, once per effect: memory and GDI objects
# must stay flat and no picture may follow itself; then once more with the display mode
# changed every 20 transitions. make check runs a short form without the mode changes.
SOAK_TRANSITIONS ?= 300
soak: win
	$(HARNESS) $(WIN) 1920x1080 -- tests/stress/soak.sh $(WIN)/slide_stress.scr $(SOAK_TRANSITIONS) $(WIN)/change_mode.exe

soak-short: win
	$(HARNESS) $(WIN) 1920x1080 -- tests/stress/soak.sh $(WIN)/slide_stress.scr 15

fuzz: artwork
	cmake --preset fuzz -B $(B)/fuzz >/dev/null
	cmake --build $(B)/fuzz -j$(JOBS)
	tools/run-fuzzers.sh $(B)/fuzz $(NATIVE)/artwork $(FUZZ_SECONDS)

bench: win
	cmake --build $(WIN) -j$(JOBS) --target jpeg_bench display_loop_bench desktop_bench catch_up_bench
	cmake --preset bench -B $(B)/bench >/dev/null
	cmake --build $(B)/bench -j$(JOBS)
	tools/run-benchmarks.sh $(B)

# The release in out/: the MSI slide-<version>-x64.msi, the archive slide-<version>.zip and the
# package manager's manifests in winget/; only the product is built for it. With
# SIGN_PFX=<file.pfx> SIGN_PASSWORD_FILE=<file> (SIGN_TIMESTAMP_URL=<url> optional) slide.scr and
# the MSI are signed.
dist: TARGET = slide
dist: win
	SIGN_PFX='$(SIGN_PFX)' SIGN_PASSWORD_FILE='$(SIGN_PASSWORD_FILE)' SIGN_TIMESTAMP_URL='$(SIGN_TIMESTAMP_URL)' \
	  tools/make-dist.sh $(WIN)/slide.scr $(NATIVE)/artwork/slide.ico out

# The README's pictures in docs/, recorded from real runs on a 1600x1200 desktop, and on one
# of 3200x2400 scaled to 200 %.
docs: TARGET = slide dialog_probe
docs: win
	$(HARNESS) $(WIN) 1600x1200 -- tools/record-docs.sh $(WIN) docs
	$(HARNESS) $(B)/scaled 3200x2400 -- tools/with-scale.sh 192 -- tools/record-scaled-docs.sh $(WIN) docs

# The saver, and the probe that finds the settings dialog's buttons for ARGS=/c.
run: TARGET = slide dialog_probe
run: setup win
ifeq ($(MONITORS),2)
	tools/with-two-monitors.sh $(WIN) -- tools/record-two-monitors.sh $(WIN)/slide.scr out
else
	tools/run-saver.sh $(WIN) '$(ARGS)' $(SIZE)
endif

clean:
	rm -rf $(B)
