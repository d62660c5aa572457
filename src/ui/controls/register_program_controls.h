#pragma once

// Registers the program's own control classes with the control factory, so layouts can use them
// by tag. Called once at start-up, after the skin's resources are loaded.
void RegisterProgramControls();
