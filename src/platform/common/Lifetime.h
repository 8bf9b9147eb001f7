// When the program ends: once no form is loaded, after the event that unloaded the last one.
#pragma once

// Called by the form engine whenever the last loaded form is unloaded. Ends the event loop
// of RunProgram, once the current event is done, if no form has been loaded again by then.
// Before RunProgram's loop starts (and in tests, which run no program) it does nothing.
void NoFormIsLoaded();

// Called whenever a modal form's or a message box's nested loop returns: ends the program
// if no form is loaded by then, whatever became of the end that the unload asked for inside
// that loop.
void NestedLoopEnded();
