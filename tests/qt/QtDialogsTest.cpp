// What the dialogs show only on Qt. Empty for now: everything the dialog tests look at is
// reachable through the test driver, so those tests live in tests/forms and run on every
// backend.
