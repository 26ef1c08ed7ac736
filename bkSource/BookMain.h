#pragma once
// The contact list program from its start to its end.
//
// Started without arguments it is the normal start: it registers itself for the logon reminder,
// switches the keyboard to the interface language, backs the data file up and opens the contact
// book, shows the main window with the about window and the edit dialog beside it, and runs the
// event loop until the window closes or another program asks this copy to quit. Started with
// "-birth" it is the reminder start: it opens the book quietly, shows one box
// per birthday reminder and ends. Any other first argument ends it at once, silently. Before
// either, the single-instance guard lets only the first copy started from an executable run;
// a later one brings the first to the front and ends. A "book.cfg" that cannot be read ends the
// program, after a box with its path in a start without arguments. The exit code is always 0.

// Runs the program; returns the process's exit code.
int BookMain(int argc, char** argv);
