/*********************************************************************************************************************/
/*!
  \file ./macros.h

  \brief signal access macros for CiA447

  \note \$Id: $
  \version \$Revision: $
  \date \$Date: $

  \verbatim
   generation date: <masked>
   generation time: <masked>
  \endverbatim
*/
/**********************************************************************************************************************/

#ifndef MACROS_COMPONENT_HEADER
#define MACROS_COMPONENT_HEADER

/**********************************************************************************************************************
 * INCLUDES
 *********************************************************************************************************************/

/**********************************************************************************************************************
 *  GLOBAL CONSTANT MACROS
 *********************************************************************************************************************/

/* ##Z_CFG_MANAGEMENT ##CQProject : <REQ_SPEC_COMPONENT> CQComponent : <Implementation> */
#define MACROS_COMPONENT_VERSION        0x0100u
#define MACROS_COMPONENT_RELEASEVERSION 0x00u

/**********************************************************************************************************************
 *  GLOBAL FUNCTION MACROS
 *********************************************************************************************************************/

  /**********************************************************************************************************************
   * DESCRIPTION
   **********************************************************************************************************************

     ******************************************************************************************************************
     OBJECT [0x6000sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Taxi State" : sxc_taxistate_0x6000sub1(c)
        - signal "Door" : sxc_doora_0x6000sub1(c)
        - signal "door" : sxc_doorb_0x6000sub1(c)

     - macros to set signal values using a character array
        - signal "Taxi State" : sic_taxistate_0x6000sub1(c,value)
        - signal "Door" : sic_doora_0x6000sub1(c,value)
        - signal "door" : sic_doorb_0x6000sub1(c,value)

     - macros to get signal values using an unsigned value
        - signal "Taxi State" : sxu_taxistate_0x6000sub1(u)
        - signal "Door" : sxu_doora_0x6000sub1(u)
        - signal "door" : sxu_doorb_0x6000sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Taxi State" : siu_taxistate_0x6000sub1(u,value)
        - signal "Door" : siu_doora_0x6000sub1(u,value)
        - signal "door" : siu_doorb_0x6000sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6001sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Lamp" : sxc_lamp1_0x6001sub1(c)
        - signal "Lamp" : sxc_lamp2_0x6001sub1(c)
        - signal "Lamp" : sxc_lamp3_0x6001sub1(c)

     - macros to set signal values using a character array
        - signal "Lamp" : sic_lamp1_0x6001sub1(c,value)
        - signal "Lamp" : sic_lamp2_0x6001sub1(c,value)
        - signal "Lamp" : sic_lamp3_0x6001sub1(c,value)

     - macros to get signal values using an unsigned value
        - signal "Lamp" : sxu_lamp1_0x6001sub1(u)
        - signal "Lamp" : sxu_lamp2_0x6001sub1(u)
        - signal "Lamp" : sxu_lamp3_0x6001sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Lamp" : siu_lamp1_0x6001sub1(u,value)
        - signal "Lamp" : siu_lamp2_0x6001sub1(u,value)
        - signal "Lamp" : siu_lamp3_0x6001sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6002sub2]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Lamp" : sxc_lampst_0x6002sub2(c)

     - macros to set signal values using a character array
        - signal "Lamp" : sic_lampst_0x6002sub2(c,value)

     - macros to get signal values using an unsigned value
        - signal "Lamp" : sxu_lampst_0x6002sub2(u)

     - macros to set signal values using an unsigned value
        - signal "Lamp" : siu_lampst_0x6002sub2(u,value)


     ******************************************************************************************************************
     OBJECT [0x6003sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Total Distance" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to set signal values using a character array
        - signal "Total Distance" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to get signal values using an unsigned value
        - signal "Total Distance" : sxu_totaldist_0x6003sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Total Distance" : siu_totaldist_0x6003sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6004sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Preset Distance" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to set signal values using a character array
        - signal "Preset Distance" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to get signal values using an unsigned value
        - signal "Preset Distance" : sxu_preset_0x6004sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Preset Distance" : siu_preset_0x6004sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x60a0sub1a]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Driver Id" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to set signal values using a character array
        - signal "Driver Id" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to get signal values using an unsigned value
        - signal "Driver Id" : sxu_driverid_0x60a0sub1a(u)

     - macros to set signal values using an unsigned value
        - signal "Driver Id" : siu_driverid_0x60a0sub1a(u,value)


     ******************************************************************************************************************
     OBJECT [0x60a1sub12345]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "  " : sxc_blanks_0x60a1sub12345(c)

     - macros to set signal values using a character array
        - signal "  " : sic_blanks_0x60a1sub12345(c,value)

     - macros to get signal values using an unsigned value
        - signal "  " : sxu_blanks_0x60a1sub12345(u)

     - macros to set signal values using an unsigned value
        - signal "  " : siu_blanks_0x60a1sub12345(u,value)


     ******************************************************************************************************************
     OBJECT [0x6008sub1]
     ******************************************************************************************************************
     - no macros available for this object


     ******************************************************************************************************************
     OBJECT [0x6009sub1]
     ******************************************************************************************************************
     - no macros available for this object


*/
/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sxc_taxistate_0x6000sub1(c)

  Functionality:
    Extract object's 0x6000sub1 signal "Taxi State" from a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 0 - 7 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    bo = byte offset of signal in array = 3
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0xff

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_taxistate_0x6000sub1(c) \
  ((c[3] >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sic_taxistate_0x6000sub1(c,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Taxi State" into a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 0 - 7 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 3
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0xff

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_taxistate_0x6000sub1(c,value) \
  (c[3] = ((c[3] & ~(0xff << 0)) | ((value & 0xff) << 0)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sxu_taxistate_0x6000sub1(u)

  Functionality:
    Extract object's 0x6000sub1 signal "Taxi State" from an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffUL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_taxistate_0x6000sub1(u) \
  ((u >> 0) & 0xffUL)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    siu_taxistate_0x6000sub1(u,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Taxi State" into an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffUL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_taxistate_0x6000sub1(u,value) \
  (u = ((u & ~(0xffUL << 0)) | ((value & 0xffUL) << 0)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sxc_doora_0x6000sub1(c)

  Functionality:
    Extract object's 0x6000sub1 signal "Door" from a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 8 - 8 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    bo = byte offset of signal in array = 2
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x01

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_doora_0x6000sub1(c) \
  ((c[2] >> 0) & 0x01)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sic_doora_0x6000sub1(c,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Door" into a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 8 - 8 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 2
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x01

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_doora_0x6000sub1(c,value) \
  (c[2] = ((c[2] & ~(0x01 << 0)) | ((value & 0x01) << 0)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sxu_doora_0x6000sub1(u)

  Functionality:
    Extract object's 0x6000sub1 signal "Door" from an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 8 - 8(zero based).

  Syntax:
    sp = shift position from start of object value = 8
    mk = mask for signal length = 0x01UL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_doora_0x6000sub1(u) \
  ((u >> 8) & 0x01UL)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    siu_doora_0x6000sub1(u,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Door" into an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 8 - 8(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 8
    mk = mask for signal length = 0x01UL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_doora_0x6000sub1(u,value) \
  (u = ((u & ~(0x01UL << 8)) | ((value & 0x01UL) << 8)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sxc_doorb_0x6000sub1(c)

  Functionality:
    Extract object's 0x6000sub1 signal "door" from a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 9 - 9 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    bo = byte offset of signal in array = 2
    sp = shift position from start of byte array = 1
    mk = mask for signal length = 0x01

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_doorb_0x6000sub1(c) \
  ((c[2] >> 1) & 0x01)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sic_doorb_0x6000sub1(c,value)

  Functionality:
    Insert object's 0x6000sub1 signal "door" into a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 9 - 9 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 2
    sp = shift position from start of byte array = 1
    mk = mask for signal length = 0x01

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_doorb_0x6000sub1(c,value) \
  (c[2] = ((c[2] & ~(0x01 << 1)) | ((value & 0x01) << 1)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    sxu_doorb_0x6000sub1(u)

  Functionality:
    Extract object's 0x6000sub1 signal "door" from an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 9 - 9(zero based).

  Syntax:
    sp = shift position from start of object value = 9
    mk = mask for signal length = 0x01UL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_doorb_0x6000sub1(u) \
  ((u >> 9) & 0x01UL)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter status

  \verbatim
  Macro name:
    siu_doorb_0x6000sub1(u,value)

  Functionality:
    Insert object's 0x6000sub1 signal "door" into an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 9 - 9(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 9
    mk = mask for signal length = 0x01UL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_doorb_0x6000sub1(u,value) \
  (u = ((u & ~(0x01UL << 9)) | ((value & 0x01UL) << 9)))


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sxc_lamp1_0x6001sub1(c)

  Functionality:
    Extract object's 0x6001sub1 signal "Lamp" from a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x01

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_lamp1_0x6001sub1(c) \
  ((c[0] >> 0) & 0x01)


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sic_lamp1_0x6001sub1(c,value)

  Functionality:
    Insert object's 0x6001sub1 signal "Lamp" into a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x01

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_lamp1_0x6001sub1(c,value) \
  (c[0] = ((c[0] & ~(0x01 << 0)) | ((value & 0x01) << 0)))


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sxu_lamp1_0x6001sub1(u)

  Functionality:
    Extract object's 0x6001sub1 signal "Lamp" from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0x01

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_lamp1_0x6001sub1(u) \
  ((u >> 0) & 0x01)


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    siu_lamp1_0x6001sub1(u,value)

  Functionality:
    Insert object's 0x6001sub1 signal "Lamp" into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0x01

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_lamp1_0x6001sub1(u,value) \
  (u = ((u & ~(0x01 << 0)) | ((value & 0x01) << 0)))


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sxc_lamp2_0x6001sub1(c)

  Functionality:
    Extract object's 0x6001sub1 signal "Lamp" from a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 1 - 1 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 1
    mk = mask for signal length = 0x01

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_lamp2_0x6001sub1(c) \
  ((c[0] >> 1) & 0x01)


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sic_lamp2_0x6001sub1(c,value)

  Functionality:
    Insert object's 0x6001sub1 signal "Lamp" into a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 1 - 1 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 1
    mk = mask for signal length = 0x01

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_lamp2_0x6001sub1(c,value) \
  (c[0] = ((c[0] & ~(0x01 << 1)) | ((value & 0x01) << 1)))


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sxu_lamp2_0x6001sub1(u)

  Functionality:
    Extract object's 0x6001sub1 signal "Lamp" from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 1 - 1(zero based).

  Syntax:
    sp = shift position from start of object value = 1
    mk = mask for signal length = 0x01

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_lamp2_0x6001sub1(u) \
  ((u >> 1) & 0x01)


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    siu_lamp2_0x6001sub1(u,value)

  Functionality:
    Insert object's 0x6001sub1 signal "Lamp" into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 1 - 1(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 1
    mk = mask for signal length = 0x01

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_lamp2_0x6001sub1(u,value) \
  (u = ((u & ~(0x01 << 1)) | ((value & 0x01) << 1)))


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sxc_lamp3_0x6001sub1(c)

  Functionality:
    Extract object's 0x6001sub1 signal "Lamp" from a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 2 - 2 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 2
    mk = mask for signal length = 0x01

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_lamp3_0x6001sub1(c) \
  ((c[0] >> 2) & 0x01)


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sic_lamp3_0x6001sub1(c,value)

  Functionality:
    Insert object's 0x6001sub1 signal "Lamp" into a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 2 - 2 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 2
    mk = mask for signal length = 0x01

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_lamp3_0x6001sub1(c,value) \
  (c[0] = ((c[0] & ~(0x01 << 2)) | ((value & 0x01) << 2)))


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    sxu_lamp3_0x6001sub1(u)

  Functionality:
    Extract object's 0x6001sub1 signal "Lamp" from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 2 - 2(zero based).

  Syntax:
    sp = shift position from start of object value = 2
    mk = mask for signal length = 0x01

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_lamp3_0x6001sub1(u) \
  ((u >> 2) & 0x01)


/*!
  \addtogroup macros_for_0x6001sub1: Roof lamps

  \verbatim
  Macro name:
    siu_lamp3_0x6001sub1(u,value)

  Functionality:
    Insert object's 0x6001sub1 signal "Lamp" into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 2 - 2(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 2
    mk = mask for signal length = 0x01

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_lamp3_0x6001sub1(u,value) \
  (u = ((u & ~(0x01 << 2)) | ((value & 0x01) << 2)))


/*!
  \addtogroup macros_for_0x6002sub2: Roof lamp status

  \verbatim
  Macro name:
    sxc_lampst_0x6002sub2(c)

  Functionality:
    Extract object's 0x6002sub2 signal "Lamp" from a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x01

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_lampst_0x6002sub2(c) \
  ((c[0] >> 0) & 0x01)


/*!
  \addtogroup macros_for_0x6002sub2: Roof lamp status

  \verbatim
  Macro name:
    sic_lampst_0x6002sub2(c,value)

  Functionality:
    Insert object's 0x6002sub2 signal "Lamp" into a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x01

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_lampst_0x6002sub2(c,value) \
  (c[0] = ((c[0] & ~(0x01 << 0)) | ((value & 0x01) << 0)))


/*!
  \addtogroup macros_for_0x6002sub2: Roof lamp status

  \verbatim
  Macro name:
    sxu_lampst_0x6002sub2(u)

  Functionality:
    Extract object's 0x6002sub2 signal "Lamp" from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0x01

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_lampst_0x6002sub2(u) \
  ((u >> 0) & 0x01)


/*!
  \addtogroup macros_for_0x6002sub2: Roof lamp status

  \verbatim
  Macro name:
    siu_lampst_0x6002sub2(u,value)

  Functionality:
    Insert object's 0x6002sub2 signal "Lamp" into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 0(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0x01

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_lampst_0x6002sub2(u,value) \
  (u = ((u & ~(0x01 << 0)) | ((value & 0x01) << 0)))


/*!
  \addtogroup macros_for_0x6003sub1: Odometer

  \verbatim
  Macro name:
    sxu_totaldist_0x6003sub1(u)

  Functionality:
    Extract object's 0x6003sub1 signal "Total Distance" from an unsigned variable u

  Explanation:
    The object size is 64 bit. The signal value is located in bit 0 - 47(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffffffffffULL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_totaldist_0x6003sub1(u) \
  ((u >> 0) & 0xffffffffffffULL)


/*!
  \addtogroup macros_for_0x6003sub1: Odometer

  \verbatim
  Macro name:
    siu_totaldist_0x6003sub1(u,value)

  Functionality:
    Insert object's 0x6003sub1 signal "Total Distance" into an unsigned variable u

  Explanation:
    The object size is 64 bit. The signal value is located in bit 0 - 47(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffffffffffULL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_totaldist_0x6003sub1(u,value) \
  (u = ((u & ~(0xffffffffffffULL << 0)) | ((value & 0xffffffffffffULL) << 0)))


/*!
  \addtogroup macros_for_0x6004sub1: Odometer preset

  \verbatim
  Macro name:
    sxu_preset_0x6004sub1(u)

  Functionality:
    Extract object's 0x6004sub1 signal "Preset Distance" from an unsigned variable u

  Explanation:
    The object size is 40 bit. The signal value is located in bit 0 - 39(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffffffffULL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_preset_0x6004sub1(u) \
  ((u >> 0) & 0xffffffffffULL)


/*!
  \addtogroup macros_for_0x6004sub1: Odometer preset

  \verbatim
  Macro name:
    siu_preset_0x6004sub1(u,value)

  Functionality:
    Insert object's 0x6004sub1 signal "Preset Distance" into an unsigned variable u

  Explanation:
    The object size is 40 bit. The signal value is located in bit 0 - 39(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffffffffULL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_preset_0x6004sub1(u,value) \
  (u = ((u & ~(0xffffffffffULL << 0)) | ((value & 0xffffffffffULL) << 0)))


/*!
  \addtogroup macros_for_0x60a0sub1a: Driver identification

  \verbatim
  Macro name:
    sxu_driverid_0x60a0sub1a(u)

  Functionality:
    Extract object's 0x60a0sub1a signal "Driver Id" from an unsigned variable u

  Explanation:
    The object size is 16 bit. The signal value is located in bit 0 - 15(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffu

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_driverid_0x60a0sub1a(u) \
  ((u >> 0) & 0xffffu)


/*!
  \addtogroup macros_for_0x60a0sub1a: Driver identification

  \verbatim
  Macro name:
    siu_driverid_0x60a0sub1a(u,value)

  Functionality:
    Insert object's 0x60a0sub1a signal "Driver Id" into an unsigned variable u

  Explanation:
    The object size is 16 bit. The signal value is located in bit 0 - 15(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffu

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_driverid_0x60a0sub1a(u,value) \
  (u = ((u & ~(0xffffu << 0)) | ((value & 0xffffu) << 0)))


/*!
  \addtogroup macros_for_0x60a1sub12345: Odd names

  \verbatim
  Macro name:
    sxc_blanks_0x60a1sub12345(c)

  Functionality:
    Extract object's 0x60a1sub12345 signal "  " from a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0xff

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_blanks_0x60a1sub12345(c) \
  ((c[0] >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x60a1sub12345: Odd names

  \verbatim
  Macro name:
    sic_blanks_0x60a1sub12345(c,value)

  Functionality:
    Insert object's 0x60a1sub12345 signal "  " into a character array pointed by c

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0xff

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_blanks_0x60a1sub12345(c,value) \
  (c[0] = ((c[0] & ~(0xff << 0)) | ((value & 0xff) << 0)))


/*!
  \addtogroup macros_for_0x60a1sub12345: Odd names

  \verbatim
  Macro name:
    sxu_blanks_0x60a1sub12345(u)

  Functionality:
    Extract object's 0x60a1sub12345 signal "  " from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xff

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_blanks_0x60a1sub12345(u) \
  ((u >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x60a1sub12345: Odd names

  \verbatim
  Macro name:
    siu_blanks_0x60a1sub12345(u,value)

  Functionality:
    Insert object's 0x60a1sub12345 signal "  " into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xff

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_blanks_0x60a1sub12345(u,value) \
  (u = ((u & ~(0xff << 0)) | ((value & 0xff) << 0)))


#endif
