/* Holds a Wine session open for the unit tests' prefix while they run.
 * The first program of a session starts its system processes (services,
 * explorer, plugplay and the rest), and they keep that program's standard
 * error for as long as the session lasts. Were that program a unit test, its
 * output would stay open, and CTest would wait on it, until the tests of the
 * other lane in the same prefix had ended too: over a minute for a test of a
 * second. Started first by `wine-prefix init`, with no output of anyone's,
 * this one holds nothing, and the system processes stay up for every test.
 * `wine-prefix stop` ends it; a run cut short leaves it for two hours at most. */
#include <windows.h>

int main(void) {
    Sleep(2 * 60 * 60 * 1000);
    return 0;
}
