/*********************************************************************************************************************/
/*!
  \file C:\gen\ds447_macros.h

  \brief signal access macros for CiA447

  \note \$Id: $
  \version \$Revision: $
  \date \$Date: $

  \verbatim
   generation date: 2026-12-7
   generation time: 9:5
  \endverbatim
*/
/**********************************************************************************************************************/

#ifndef DS447_MACROS_COMPONENT_HEADER
#define DS447_MACROS_COMPONENT_HEADER

/**********************************************************************************************************************
 * INCLUDES
 *********************************************************************************************************************/

/**********************************************************************************************************************
 *  GLOBAL CONSTANT MACROS
 *********************************************************************************************************************/

/* ##Z_CFG_MANAGEMENT ##CQProject : <REQ_SPEC_COMPONENT> CQComponent : <Implementation> */
#define DS447_MACROS_COMPONENT_VERSION        0x0100u
#define DS447_MACROS_COMPONENT_RELEASEVERSION 0x00u

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
        - signal "Taxi State" : sxc_taxi_state_0x6000sub1(c)
        - signal "Pause Flags" : sxc_pause_0x6000sub1(c)
        - signal "Crossing" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to set signal values using a character array
        - signal "Taxi State" : sic_taxi_state_0x6000sub1(c,value)
        - signal "Pause Flags" : sic_pause_0x6000sub1(c,value)
        - signal "Crossing" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to get signal values using an unsigned value
        - signal "Taxi State" : sxu_taxi_state_0x6000sub1(u)
        - signal "Pause Flags" : sxu_pause_0x6000sub1(u)
        - signal "Crossing" : sxu_crossing_0x6000sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Taxi State" : siu_taxi_state_0x6000sub1(u,value)
        - signal "Pause Flags" : siu_pause_0x6000sub1(u,value)
        - signal "Crossing" : siu_crossing_0x6000sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6010sub2]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Tariff" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to set signal values using a character array
        - signal "Tariff" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to get signal values using an unsigned value
        - signal "Tariff" : sxu_tariff_0x6010sub2(u)

     - macros to set signal values using an unsigned value
        - signal "Tariff" : siu_tariff_0x6010sub2(u,value)


     ******************************************************************************************************************
     OBJECT [0x6020sub0]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Lamp" : sxc_lamp_0x6020sub0(c)

     - macros to set signal values using a character array
        - signal "Lamp" : sic_lamp_0x6020sub0(c,value)

     - macros to get signal values using an unsigned value
        - signal "Lamp" : sxu_lamp_0x6020sub0(u)

     - macros to set signal values using an unsigned value
        - signal "Lamp" : siu_lamp_0x6020sub0(u,value)


     ******************************************************************************************************************
     OBJECT [0x6030sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Distance" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to set signal values using a character array
        - signal "Distance" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY

     - macros to get signal values using an unsigned value
        - signal "Distance" : sxu_distance_0x6030sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Distance" : siu_distance_0x6030sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6030sub2]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Flags" : sxc_flags_0x6030sub2(c)

     - macros to set signal values using a character array
        - signal "Flags" : sic_flags_0x6030sub2(c,value)

     - macros to get signal values using an unsigned value
        - signal "Flags" : sxu_flags_0x6030sub2(u)

     - macros to set signal values using an unsigned value
        - signal "Flags" : siu_flags_0x6030sub2(u,value)


     ******************************************************************************************************************
     OBJECT [0x6040sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Nibble" : sxc_nibble_0x6040sub1(c)

     - macros to set signal values using a character array
        - signal "Nibble" : sic_nibble_0x6040sub1(c,value)

     - macros to get signal values using an unsigned value
        - signal "Nibble" : sxu_nibble_0x6040sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Nibble" : siu_nibble_0x6040sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6050sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Bits" : sxc_bits_0x6050sub1(c)

     - macros to set signal values using a character array
        - signal "Bits" : sic_bits_0x6050sub1(c,value)

     - macros to get signal values using an unsigned value
        - signal "Bits" : sxu_bits_0x6050sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Bits" : siu_bits_0x6050sub1(u,value)


     ******************************************************************************************************************
     OBJECT [0x6070sub1]
     ******************************************************************************************************************
     - no macros available for this object


     ******************************************************************************************************************
     OBJECT [0x6080sub1]
     ******************************************************************************************************************
     - no macros available for this object


     ******************************************************************************************************************
     OBJECT [0x6090sub1]
     ******************************************************************************************************************
     - macros to get signal values using a character array
        - signal "Door * / open" : sxc_door_0x6090sub1(c)

     - macros to set signal values using a character array
        - signal "Door * / open" : sic_door_0x6090sub1(c,value)

     - macros to get signal values using an unsigned value
        - signal "Door * / open" : sxu_door_0x6090sub1(u)

     - macros to set signal values using an unsigned value
        - signal "Door * / open" : siu_door_0x6090sub1(u,value)


*/
/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sxc_taxi_state_0x6000sub1(c)

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
#define sxc_taxi_state_0x6000sub1(c) \
  ((c[3] >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sic_taxi_state_0x6000sub1(c,value)

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
#define sic_taxi_state_0x6000sub1(c,value) \
  (c[3] = ((c[3] & ~(0xff << 0)) | ((value & 0xff) << 0)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sxu_taxi_state_0x6000sub1(u)

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
#define sxu_taxi_state_0x6000sub1(u) \
  ((u >> 0) & 0xffUL)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    siu_taxi_state_0x6000sub1(u,value)

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
#define siu_taxi_state_0x6000sub1(u,value) \
  (u = ((u & ~(0xffUL << 0)) | ((value & 0xffUL) << 0)))


/*!
  \addtogroup macros_for_0x6010sub2: Tariff display

  \verbatim
  Macro name:
    sxu_tariff_0x6010sub2(u)

  Functionality:
    Extract object's 0x6010sub2 signal "Tariff" from an unsigned variable u

  Explanation:
    The object size is 16 bit. The signal value is located in bit 6 - 9(zero based).

  Syntax:
    sp = shift position from start of object value = 6
    mk = mask for signal length = 0x0fu

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_tariff_0x6010sub2(u) \
  ((u >> 6) & 0x0fu)


/*!
  \addtogroup macros_for_0x6010sub2: Tariff display

  \verbatim
  Macro name:
    siu_tariff_0x6010sub2(u,value)

  Functionality:
    Insert object's 0x6010sub2 signal "Tariff" into an unsigned variable u

  Explanation:
    The object size is 16 bit. The signal value is located in bit 6 - 9(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 6
    mk = mask for signal length = 0x0fu

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_tariff_0x6010sub2(u,value) \
  (u = ((u & ~(0x0fu << 6)) | ((value & 0x0fu) << 6)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sxc_pause_0x6000sub1(c)

  Functionality:
    Extract object's 0x6000sub1 signal "Pause Flags" from a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 12 - 15 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    bo = byte offset of signal in array = 2
    sp = shift position from start of byte array = 4
    mk = mask for signal length = 0x0f

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_pause_0x6000sub1(c) \
  ((c[2] >> 4) & 0x0f)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sic_pause_0x6000sub1(c,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Pause Flags" into a character array pointed by c

  Explanation:
    The object size is 32 bit. The signal value is located in bit 12 - 15 (zero based).
    If the object value is 0x01020304 the value in the memory looks as follows:
      base address + 0   byte3   0x01
      base address + 1   byte2   0x02
      base address + 2   byte1   0x03
      base address + 3   byte0   0x04

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 2
    sp = shift position from start of byte array = 4
    mk = mask for signal length = 0x0f

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_pause_0x6000sub1(c,value) \
  (c[2] = ((c[2] & ~(0x0f << 4)) | ((value & 0x0f) << 4)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sxu_pause_0x6000sub1(u)

  Functionality:
    Extract object's 0x6000sub1 signal "Pause Flags" from an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 12 - 15(zero based).

  Syntax:
    sp = shift position from start of object value = 12
    mk = mask for signal length = 0x0fUL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_pause_0x6000sub1(u) \
  ((u >> 12) & 0x0fUL)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    siu_pause_0x6000sub1(u,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Pause Flags" into an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 12 - 15(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 12
    mk = mask for signal length = 0x0fUL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_pause_0x6000sub1(u,value) \
  (u = ((u & ~(0x0fUL << 12)) | ((value & 0x0fUL) << 12)))


/*!
  \addtogroup macros_for_0x6020sub0: 

  \verbatim
  Macro name:
    sxc_lamp_0x6020sub0(c)

  Functionality:
    Extract object's 0x6020sub0 signal "Lamp" from a character array pointed by c

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
#define sxc_lamp_0x6020sub0(c) \
  ((c[0] >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x6020sub0: 

  \verbatim
  Macro name:
    sic_lamp_0x6020sub0(c,value)

  Functionality:
    Insert object's 0x6020sub0 signal "Lamp" into a character array pointed by c

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
#define sic_lamp_0x6020sub0(c,value) \
  (c[0] = ((c[0] & ~(0xff << 0)) | ((value & 0xff) << 0)))


/*!
  \addtogroup macros_for_0x6020sub0: 

  \verbatim
  Macro name:
    sxu_lamp_0x6020sub0(u)

  Functionality:
    Extract object's 0x6020sub0 signal "Lamp" from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xff

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_lamp_0x6020sub0(u) \
  ((u >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x6020sub0: 

  \verbatim
  Macro name:
    siu_lamp_0x6020sub0(u,value)

  Functionality:
    Insert object's 0x6020sub0 signal "Lamp" into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xff

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_lamp_0x6020sub0(u,value) \
  (u = ((u & ~(0xff << 0)) | ((value & 0xff) << 0)))


/*!
  \addtogroup macros_for_0x6030sub1: Odometer

  \verbatim
  Macro name:
    sxu_distance_0x6030sub1(u)

  Functionality:
    Extract object's 0x6030sub1 signal "Distance" from an unsigned variable u

  Explanation:
    The object size is 64 bit. The signal value is located in bit 0 - 39(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffffffffULL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_distance_0x6030sub1(u) \
  ((u >> 0) & 0xffffffffffULL)


/*!
  \addtogroup macros_for_0x6030sub1: Odometer

  \verbatim
  Macro name:
    siu_distance_0x6030sub1(u,value)

  Functionality:
    Insert object's 0x6030sub1 signal "Distance" into an unsigned variable u

  Explanation:
    The object size is 64 bit. The signal value is located in bit 0 - 39(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xffffffffffULL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_distance_0x6030sub1(u,value) \
  (u = ((u & ~(0xffffffffffULL << 0)) | ((value & 0xffffffffffULL) << 0)))


/*!
  \addtogroup macros_for_0x6030sub2: Odometer

  \verbatim
  Macro name:
    sxc_flags_0x6030sub2(c)

  Functionality:
    Extract object's 0x6030sub2 signal "Flags" from a character array pointed by c

  Explanation:
    The object size is 64 bit. The signal value is located in bit 3 - 6 (zero based).
    If the object value is 0x0102030405060708 the value in the memory looks as follows:
      base address + 0   byte7   0x01
      base address + 1   byte6   0x02
      base address + 2   byte5   0x03
      base address + 3   byte4   0x04
      base address + 4   byte3   0x05
      base address + 5   byte2   0x06
      base address + 6   byte1   0x07
      base address + 7   byte0   0x08

  Syntax:
    bo = byte offset of signal in array = 7
    sp = shift position from start of byte array = 3
    mk = mask for signal length = 0x0f

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_flags_0x6030sub2(c) \
  ((c[7] >> 3) & 0x0f)


/*!
  \addtogroup macros_for_0x6030sub2: Odometer

  \verbatim
  Macro name:
    sic_flags_0x6030sub2(c,value)

  Functionality:
    Insert object's 0x6030sub2 signal "Flags" into a character array pointed by c

  Explanation:
    The object size is 64 bit. The signal value is located in bit 3 - 6 (zero based).
    If the object value is 0x0102030405060708 the value in the memory looks as follows:
      base address + 0   byte7   0x01
      base address + 1   byte6   0x02
      base address + 2   byte5   0x03
      base address + 3   byte4   0x04
      base address + 4   byte3   0x05
      base address + 5   byte2   0x06
      base address + 6   byte1   0x07
      base address + 7   byte0   0x08

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 7
    sp = shift position from start of byte array = 3
    mk = mask for signal length = 0x0f

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_flags_0x6030sub2(c,value) \
  (c[7] = ((c[7] & ~(0x0f << 3)) | ((value & 0x0f) << 3)))


/*!
  \addtogroup macros_for_0x6030sub2: Odometer

  \verbatim
  Macro name:
    sxu_flags_0x6030sub2(u)

  Functionality:
    Extract object's 0x6030sub2 signal "Flags" from an unsigned variable u

  Explanation:
    The object size is 64 bit. The signal value is located in bit 3 - 6(zero based).

  Syntax:
    sp = shift position from start of object value = 3
    mk = mask for signal length = 0x0fULL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_flags_0x6030sub2(u) \
  ((u >> 3) & 0x0fULL)


/*!
  \addtogroup macros_for_0x6030sub2: Odometer

  \verbatim
  Macro name:
    siu_flags_0x6030sub2(u,value)

  Functionality:
    Insert object's 0x6030sub2 signal "Flags" into an unsigned variable u

  Explanation:
    The object size is 64 bit. The signal value is located in bit 3 - 6(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 3
    mk = mask for signal length = 0x0fULL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_flags_0x6030sub2(u,value) \
  (u = ((u & ~(0x0fULL << 3)) | ((value & 0x0fULL) << 3)))


/*!
  \addtogroup macros_for_0x6040sub1: Odd size

  \verbatim
  Macro name:
    sxc_nibble_0x6040sub1(c)

  Functionality:
    Extract object's 0x6040sub1 signal "Nibble" from a character array pointed by c

  Explanation:
    The object size is 12 bit. The signal value is located in bit 8 - 11 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x0f

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_nibble_0x6040sub1(c) \
  ((c[0] >> 0) & 0x0f)


/*!
  \addtogroup macros_for_0x6040sub1: Odd size

  \verbatim
  Macro name:
    sic_nibble_0x6040sub1(c,value)

  Functionality:
    Insert object's 0x6040sub1 signal "Nibble" into a character array pointed by c

  Explanation:
    The object size is 12 bit. The signal value is located in bit 8 - 11 (zero based).
    If the object value is 0x01 the value in the memory looks as follows:
      base address + 0   byte0   0x01

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x0f

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_nibble_0x6040sub1(c,value) \
  (c[0] = ((c[0] & ~(0x0f << 0)) | ((value & 0x0f) << 0)))


/*!
  \addtogroup macros_for_0x6040sub1: Odd size

  \verbatim
  Macro name:
    sxu_nibble_0x6040sub1(u)

  Functionality:
    Extract object's 0x6040sub1 signal "Nibble" from an unsigned variable u

  Explanation:
    The object size is 12 bit. The signal value is located in bit 8 - 11(zero based).

  Syntax:
    sp = shift position from start of object value = 8
    mk = mask for signal length = 0x0fu

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_nibble_0x6040sub1(u) \
  ((u >> 8) & 0x0fu)


/*!
  \addtogroup macros_for_0x6040sub1: Odd size

  \verbatim
  Macro name:
    siu_nibble_0x6040sub1(u,value)

  Functionality:
    Insert object's 0x6040sub1 signal "Nibble" into an unsigned variable u

  Explanation:
    The object size is 12 bit. The signal value is located in bit 8 - 11(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 8
    mk = mask for signal length = 0x0fu

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_nibble_0x6040sub1(u,value) \
  (u = ((u & ~(0x0fu << 8)) | ((value & 0x0fu) << 8)))


/*!
  \addtogroup macros_for_0x6050sub1: Narrow

  \verbatim
  Macro name:
    sxc_bits_0x6050sub1(c)

  Functionality:
    Extract object's 0x6050sub1 signal "Bits" from a character array pointed by c

  Explanation:
    The object size is 4 bit. The signal value is located in bit 0 - 1 (zero based).
    If the object value is 0x the value in the memory looks as follows:

  Syntax:
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x03

    ((c[bo] >> sp) & mk)
  \endverbatim
*/
#define sxc_bits_0x6050sub1(c) \
  ((c[0] >> 0) & 0x03)


/*!
  \addtogroup macros_for_0x6050sub1: Narrow

  \verbatim
  Macro name:
    sic_bits_0x6050sub1(c,value)

  Functionality:
    Insert object's 0x6050sub1 signal "Bits" into a character array pointed by c

  Explanation:
    The object size is 4 bit. The signal value is located in bit 0 - 1 (zero based).
    If the object value is 0x the value in the memory looks as follows:

  Syntax:
    result = (erase old signal value) | (new signal value)
    bo = byte offset of signal in array = 0
    sp = shift position from start of byte array = 0
    mk = mask for signal length = 0x03

    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define sic_bits_0x6050sub1(c,value) \
  (c[0] = ((c[0] & ~(0x03 << 0)) | ((value & 0x03) << 0)))


/*!
  \addtogroup macros_for_0x6050sub1: Narrow

  \verbatim
  Macro name:
    sxu_bits_0x6050sub1(u)

  Functionality:
    Extract object's 0x6050sub1 signal "Bits" from an unsigned variable u

  Explanation:
    The object size is 4 bit. The signal value is located in bit 0 - 1(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0x03

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_bits_0x6050sub1(u) \
  ((u >> 0) & 0x03)


/*!
  \addtogroup macros_for_0x6050sub1: Narrow

  \verbatim
  Macro name:
    siu_bits_0x6050sub1(u,value)

  Functionality:
    Insert object's 0x6050sub1 signal "Bits" into an unsigned variable u

  Explanation:
    The object size is 4 bit. The signal value is located in bit 0 - 1(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0x03

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_bits_0x6050sub1(u,value) \
  (u = ((u & ~(0x03 << 0)) | ((value & 0x03) << 0)))


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    sxu_crossing_0x6000sub1(u)

  Functionality:
    Extract object's 0x6000sub1 signal "Crossing" from an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 4 - 11(zero based).

  Syntax:
    sp = shift position from start of object value = 4
    mk = mask for signal length = 0xffUL

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_crossing_0x6000sub1(u) \
  ((u >> 4) & 0xffUL)


/*!
  \addtogroup macros_for_0x6000sub1: Taximeter state

  \verbatim
  Macro name:
    siu_crossing_0x6000sub1(u,value)

  Functionality:
    Insert object's 0x6000sub1 signal "Crossing" into an unsigned variable u

  Explanation:
    The object size is 32 bit. The signal value is located in bit 4 - 11(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 4
    mk = mask for signal length = 0xffUL

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_crossing_0x6000sub1(u,value) \
  (u = ((u & ~(0xffUL << 4)) | ((value & 0xffUL) << 4)))


/*!
  \addtogroup macros_for_0x6090sub1: Doors * /

  \verbatim
  Macro name:
    sxc_door_0x6090sub1(c)

  Functionality:
    Extract object's 0x6090sub1 signal "Door * / open" from a character array pointed by c

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
#define sxc_door_0x6090sub1(c) \
  ((c[0] >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x6090sub1: Doors * /

  \verbatim
  Macro name:
    sic_door_0x6090sub1(c,value)

  Functionality:
    Insert object's 0x6090sub1 signal "Door * / open" into a character array pointed by c

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
#define sic_door_0x6090sub1(c,value) \
  (c[0] = ((c[0] & ~(0xff << 0)) | ((value & 0xff) << 0)))


/*!
  \addtogroup macros_for_0x6090sub1: Doors * /

  \verbatim
  Macro name:
    sxu_door_0x6090sub1(u)

  Functionality:
    Extract object's 0x6090sub1 signal "Door * / open" from an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xff

    ((u >> sp) & mk)
  \endverbatim
*/
#define sxu_door_0x6090sub1(u) \
  ((u >> 0) & 0xff)


/*!
  \addtogroup macros_for_0x6090sub1: Doors * /

  \verbatim
  Macro name:
    siu_door_0x6090sub1(u,value)

  Functionality:
    Insert object's 0x6090sub1 signal "Door * / open" into an unsigned variable u

  Explanation:
    The object size is 8 bit. The signal value is located in bit 0 - 7(zero based).

  Syntax:
    result = (erase old signal value) | (new signal value)
    sp = shift position from start of object value = 0
    mk = mask for signal length = 0xff

    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))
  \endverbatim
*/
#define siu_door_0x6090sub1(u,value) \
  (u = ((u & ~(0xff << 0)) | ((value & 0xff) << 0)))


#endif
