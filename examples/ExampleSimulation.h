/* Lets every example run on simulated cameras: pass --simulate or
 * --simulate=52,53 on its command line. Not needed with real cameras. */
#ifndef ZOQ_EXAMPLE_SIMULATION_H
#define ZOQ_EXAMPLE_SIMULATION_H

#ifdef __cplusplus
extern "C" {
#endif

/* When argv holds --simulate[=TYPES], starts the program again under the USB
 * emulation if needed, attaches the simulated cameras and removes the option
 * from argv. Returns 0, or -1 after a message when the simulation cannot
 * start. Call it first in main(), and ZOQ_UnInit before main returns. */
int zoq_example_simulate(int* argc, char** argv);

#ifdef __cplusplus
}
#endif

#endif
