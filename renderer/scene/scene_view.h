// Where the spheres stand and how they are seen: the facts the GL side draws
// with and the stored pictures of the front end are drawn from, so both show
// the same scene.
#pragma once

namespace scene {

constexpr double kSphereRadius = 4.0;     // scene units
constexpr int kSphereFacets = 32;         // slices and stacks of the sphere
constexpr double kSphereDistance = 16.0;  // from the eye, along the view direction
constexpr double kFieldOfView = 50.0;     // vertical, degrees
constexpr double kNearPlane = 1.0;        // scene units from the eye
constexpr double kFarPlane = 100.0;

}  // namespace scene
