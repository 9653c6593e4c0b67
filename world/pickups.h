// Calabrium ore (points, and the count of collect missions) and ice (cools the laser), falling
// through the play field and collected by touching them with the ship.
#pragma once

// Start-up: the ore and ice pictures.
void LoadPickupImages();
// Start-up: ten ore views, then ten ice views, parked.
void InitOre();
// Hides and parks every piece (as they are created, and between rounds).
void ClearPickups();
// Once per played frame: ore spawns every OrePeriod frames, falls, and is collected on contact.
void UpdateOre();
// Once per played frame: ice spawns every 360 frames, falls, and takes 50 heat off the laser.
void UpdateIce();
