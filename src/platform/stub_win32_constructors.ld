/* Added to the Windows stub's link. The stub starts without the C runtime,
   which is what runs static constructors: one that reached the stub would
   silently never run, so the link refuses it. The default script frames the
   constructor list with two 8-byte markers; an empty list is just those. */
ASSERT(___DTOR_LIST__ - ___CTOR_LIST__ == 16,
       "a static constructor reached the stub, which runs none: make the object on first use")
