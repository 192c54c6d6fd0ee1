-- Run by the game once it has started, before the first menu.
-- All AI Mode puts its command on a line of its own above this one.

