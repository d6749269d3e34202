# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

FUZZ_SECONDS ?= 60
SOAK_GAMES ?= 100
SOAK_MOVETIME_GAMES ?= 20
SOAK_ST_GAMES ?= 4
GUI_GAMES ?= 2

.PHONY: run test build clean fuzz soak gui-check pgo

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) $(TEST_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# Profile-guided build in $(PGO_BUILD) (opt-in): an instrumented orlo-bench runs perft and the
# benchmark searches, then everything is rebuilt with that profile. Same nodes, more speed.
PGO_BUILD ?= build-pgo
pgo:
	cmake -S . -B $(PGO_BUILD) -DCMAKE_BUILD_TYPE=Release -DORLO_TESTS=OFF \
		"-DCMAKE_CXX_FLAGS=-fprofile-generate -fprofile-update=single" >/dev/null
	find $(PGO_BUILD) -name '*.gcda' -delete
	cmake --build $(PGO_BUILD) -j $(JOBS) --clean-first --target orlo-bench
	cd $(PGO_BUILD) && ./orlo-bench perft 5 && ./orlo-bench search 7 >/dev/null
	cmake -S . -B $(PGO_BUILD) \
		"-DCMAKE_CXX_FLAGS=-fprofile-use -fprofile-correction -Wno-missing-profile" >/dev/null
	cmake --build $(PGO_BUILD) -j $(JOBS) --clean-first

run: build
	./$(BUILD)/orlo

# The tests are asked for here, so a machine without GoogleTest fails instead of skipping them.
test: TEST_FLAGS = -DORLO_TESTS=ON
test: build
	cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

# Every fuzz target for FUZZ_SECONDS each (clang++ with libFuzzer, ASan and UBSan).
fuzz:
	./fuzz/run.sh $(FUZZ_SECONDS)

# Orlo plays itself SOAK_GAMES games through UCI and as many through xboard at 2 s + 0.02 s,
# then at fixed times a move: SOAK_MOVETIME_GAMES through UCI at 200 ms a move, and
# SOAK_ST_GAMES through xboard at "st 1" (drawn after 40 plies, to keep them short); all
# refereed. The games with faults stay in $(BUILD)/soak-run/soak-games, -movetime and -st.
soak: build
	mkdir -p $(BUILD)/soak-run
	cd $(BUILD)/soak-run && ../soak ../orlo --games $(SOAK_GAMES) --openings $(CURDIR)/data/openings.txt
	cd $(BUILD)/soak-run && ../soak ../orlo --protocol uci --movetime 200 --games $(SOAK_MOVETIME_GAMES) \
		--openings $(CURDIR)/data/openings.txt --dir soak-games-movetime
	cd $(BUILD)/soak-run && ../soak ../orlo --protocol xboard --movetime 1000 --plies 40 \
		--games $(SOAK_ST_GAMES) --openings $(CURDIR)/data/openings.txt --dir soak-games-st

# Orlo plays itself under the real xboard GUI (headless), in both protocols, at "st 1" and at
# 10 s + 0.1 s: GUI_GAMES games each. Needs xboard, xvfb and polyglot; installs nothing.
gui-check: build
	./tools/gui-check.sh $(BUILD)/orlo $(BUILD)/gui-check $(GUI_GAMES)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
