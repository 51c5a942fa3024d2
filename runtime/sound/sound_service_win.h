// The play sound and stop sound services.
#pragma once

namespace rt {

// Provides play sound and stop sound in the service table.
void provide_sound_services();

}  // namespace rt
