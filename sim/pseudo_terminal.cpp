// Filled in as the simulator is built.
