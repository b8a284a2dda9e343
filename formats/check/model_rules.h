#pragma once

// The rule functions of the table in model_check.cpp, by the part of the model they look at.

#include "formats/check/model_check.h"

namespace check::rules {

// geoset arrays
void vertexCounts(const CheckContext&, Report&);
void faceIndex(const CheckContext&, Report&);
void vertexGroup(const CheckContext&, Report&);
void matrixNode(const CheckContext&, Report&);
void matrixNotBone(const CheckContext&, Report&);
void matrixLimits(const CheckContext&, Report&);
void skinWeights(const CheckContext&, Report&);
void geosetEmpty(const CheckContext&, Report&);
void sdVertexLimit(const CheckContext&, Report&);
void sequenceExtents(const CheckContext&, Report&);
void extentsStale(const CheckContext&, Report&);

// references between records, files and versions
void materialRef(const CheckContext&, Report&);
void geosetAnimTwice(const CheckContext&, Report&);
void versionBlocks(const CheckContext&, Report&);
void textureMissing(const CheckContext&, Report&);
void textureExtension(const CheckContext&, Report&);
void unused(const CheckContext&, Report&);

// the skeleton
void nodeParent(const CheckContext&, Report&);
void pivotCount(const CheckContext&, Report&);
void objectIds(const CheckContext&, Report&);
void boneUnused(const CheckContext&, Report&);
void standardSequences(const CheckContext&, Report&);

// animation
void nonFinite(const CheckContext&, Report&);
void trackOrder(const CheckContext&, Report&);
void trackOutside(const CheckContext&, Report&);
void sequenceInterval(const CheckContext&, Report&);
void sequenceOverlap(const CheckContext&, Report&);

// "geoset 3" as the editor counts geosets, from 1.
std::string geosetName(std::size_t index);

} // namespace check::rules
