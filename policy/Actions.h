// The two things the user can make the tool do; each runs to its end within one click.
#pragma once

// Asks, closes a running Chrome if allowed, writes the browser policies and says so.
void EnableAction();
// Closes a running Chrome if allowed, removes the browser policies and says so.
void DisableAction();
