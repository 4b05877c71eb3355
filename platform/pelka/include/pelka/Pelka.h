// Everything of the document model stand-in (namespace Pelka).
#pragma once

#include <pelka/AttrUtilities.h>
#include <pelka/Attributable.h>
#include <pelka/Attribute.h>
#include <pelka/AttributeKinds.h>
#include <pelka/AttributeVisitor.h>
#include <pelka/EcuDoc.h>
#include <pelka/EcuDocFile.h>
#include <pelka/EnumTagTable.h>
#include <pelka/ExternalIterator.h>
#include <pelka/InternalIterator.h>
#include <pelka/Language.h>
#include <pelka/ModelError.h>
#include <pelka/OdxFile.h>
#include <pelka/OdxOrigin.h>
#include <pelka/Smarty.h>
#include <pelka/Translatable.h>
