# Entry points: each installs what is missing, then builds what it needs.
DEMO_DB ?= build/demo.sqlite
PROGRAM := build/default/hostapp/vell-batchrule

.PHONY: deps build run test sanitize bench fuzz package clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

# The program and its library alone: no test is built before the window shows.
run: deps
	cmake --preset default
	cmake --build --preset default --target vell-batchrule
	$(PROGRAM) --db $(DEMO_DB)

test: build
	ctest --preset default

# Every test once more, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	build/bench/bench/vell-bench
	build/bench/bench/vell-rule-tools-bench
	build/bench/bench/vell-window-bench
	build/bench/bench/vell-issue-bench
	build/bench/bench/vell-history-bench

# Every fuzz target for FUZZ_SECONDS, built with clang, libFuzzer and both sanitizers.
FUZZ_SECONDS ?= 60
fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	bash scripts/run-fuzzers.sh $(FUZZ_SECONDS)

# The Debian packages, built from a clean tree by debhelper into build/package,
# then checked as a Debian user meets them.
package:
	@bash scripts/install-deps.sh package
	dpkg-checkbuilddeps
	debian/rules clean
	debian/rules binary
	bash tests/packages/check-packages.sh build/package

clean:
	rm -rf build
