#pragma once
// Registers the library's components with the stored-design class registry.

void RegisterGlottaClasses();
