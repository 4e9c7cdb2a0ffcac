// The player step of a playing pass: keys, strike and parry, gravity, drawing, screen edges.
#pragma once

// Runs the player's part of one playing pass.
void PlayerStep();
